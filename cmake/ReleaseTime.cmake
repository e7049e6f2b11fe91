# tagsmit_release_time(OUTPUT): the time of the source built, in seconds since
# 1970: the commit's, so that two builds of one commit give the same files. A
# distribution's SOURCE_DATE_EPOCH wins; a tree outside git takes the time of
# its top CMakeLists.txt. A new commit configures anew, and with it the time.
function(tagsmit_release_time output)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(${output} $ENV{SOURCE_DATE_EPOCH} PARENT_SCOPE)
    return()
  endif()
  execute_process(
    COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE release_time OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE git_failed ERROR_QUIET)
  if(git_failed)
    file(TIMESTAMP ${PROJECT_SOURCE_DIR}/CMakeLists.txt release_time "%s" UTC)
  else()
    execute_process(
      COMMAND git rev-parse --path-format=absolute --git-path logs/HEAD
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE head_log OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(EXISTS ${head_log})
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${head_log})
    endif()
  endif()
  set(${output} ${release_time} PARENT_SCOPE)
endfunction()
