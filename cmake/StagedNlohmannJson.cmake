# nlohmann/json for a cross build. The host's package would make its users
# search /usr/include, where the host's C headers then shadow the cross
# compiler's own (bits/libc-header-start.h). The headers are copied into the
# build folder instead, and only that copy is made visible.

find_path(TAGSMIT_NLOHMANN_JSON_HOST_INCLUDE nlohmann/json.hpp
  PATHS /usr/local/include /usr/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT TAGSMIT_NLOHMANN_JSON_HOST_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp not found (Debian: nlohmann-json3-dev)")
endif()
file(STRINGS ${TAGSMIT_NLOHMANN_JSON_HOST_INCLUDE}/nlohmann/detail/abi_macros.hpp major
     REGEX "#define NLOHMANN_JSON_VERSION_MAJOR ")
if(NOT major MATCHES "MAJOR 3( |$)")
  message(FATAL_ERROR "nlohmann/json 3 wanted in ${TAGSMIT_NLOHMANN_JSON_HOST_INCLUDE}: ${major}")
endif()

set(staged ${PROJECT_BINARY_DIR}/staged-include)
file(REMOVE_RECURSE ${staged}/nlohmann)  # nothing left from another version
file(COPY ${TAGSMIT_NLOHMANN_JSON_HOST_INCLUDE}/nlohmann DESTINATION ${staged})

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${staged})
