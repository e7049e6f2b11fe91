# GoogleTest and GoogleMock for a cross build, compiled from Debian's sources
# (package googletest) with the cross compiler: the host's libraries would not
# link. GoogleTest's own build names its targets as find_package(GTest) does
# (GTest::gtest, GTest::gmock, ...).

set(TAGSMIT_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${TAGSMIT_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${TAGSMIT_GOOGLETEST_SOURCE} (Debian: googletest)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${TAGSMIT_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

foreach(library gtest gtest_main gmock gmock_main)
  # GoogleTest keeps its own warning flags; ours are for our code.
  set_property(TARGET ${library} PROPERTY COMPILE_OPTIONS "")
endforeach()
