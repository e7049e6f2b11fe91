# The portable core must stay free of toolkit and OS headers so that it builds
# unchanged for every front end. Each core library registers itself here and
# the configure step fails when one of them links or includes something else.

set(TAGSMIT_CORE_LIBRARIES "" CACHE INTERNAL "")
set(TAGSMIT_CORE_ALLOWED_LINKS nlohmann_json::nlohmann_json tagsmit_platform_api)
# Toolkit and POSIX headers by their exact names; Windows headers in any
# letter case, since Windows file names ignore it (lines are lower-cased
# for that pattern).
set(TAGSMIT_CORE_FORBIDDEN_INCLUDE
    "#[ \t]*include[ \t]*[<\"](Q[A-Za-z]*|Qt[A-Za-z]*/.*|xcb/.*|unistd\\.h|sys/.*|fcntl\\.h)[>\"]")
set(TAGSMIT_CORE_FORBIDDEN_INCLUDE_ANY_CASE
    "#[ \t]*include[ \t]*[<\"](win[a-z0-9_]*|io|direct|dirent|dlfcn|langinfo)\\.h[>\"]")

# The lines of `file` that include a header the core may not use.
function(tagsmit_forbidden_includes file out_var)
  file(STRINGS "${file}" lines REGEX "#[ \t]*include")
  set(bad "")
  foreach(line IN LISTS lines)
    string(TOLOWER "${line}" lower)
    if(line MATCHES "${TAGSMIT_CORE_FORBIDDEN_INCLUDE}" OR
       lower MATCHES "${TAGSMIT_CORE_FORBIDDEN_INCLUDE_ANY_CASE}")
      list(APPEND bad "${line}")
    endif()
  endforeach()
  set(${out_var} "${bad}" PARENT_SCOPE)
endfunction()

function(tagsmit_core_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  set(TAGSMIT_CORE_LIBRARIES ${TAGSMIT_CORE_LIBRARIES} ${name} CACHE INTERNAL "")
endfunction()

function(tagsmit_check_core_isolation)
  foreach(lib IN LISTS TAGSMIT_CORE_LIBRARIES)
    get_target_property(links ${lib} LINK_LIBRARIES)
    if(links)
      foreach(link IN LISTS links)
        if(NOT link IN_LIST TAGSMIT_CORE_LIBRARIES AND NOT link IN_LIST TAGSMIT_CORE_ALLOWED_LINKS)
          message(FATAL_ERROR "Core library ${lib} links ${link}; the core may link only the standard library and nlohmann_json.")
        endif()
      endforeach()
    endif()
    get_target_property(sources ${lib} SOURCES)
    get_target_property(source_dir ${lib} SOURCE_DIR)
    file(GLOB headers ${source_dir}/*.h)
    foreach(source IN LISTS sources headers)
      if(NOT IS_ABSOLUTE "${source}")
        set(source "${source_dir}/${source}")
      endif()
      tagsmit_forbidden_includes("${source}" bad)
      if(bad)
        message(FATAL_ERROR "Core source ${source} includes a platform header: ${bad}")
      endif()
    endforeach()
  endforeach()
endfunction()
