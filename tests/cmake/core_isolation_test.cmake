# The core's include rule on sample lines: cmake -DSOURCE_DIR=... -P this file.
cmake_minimum_required(VERSION 3.25)
include(${SOURCE_DIR}/cmake/CoreIsolation.cmake)

set(refused
  "#include <windows.h>" "#include <Windows.h>" "# include \"WINDOWS.H\"" "#include <WinBase.h>"
  "#include <winuser.h>" "#include <io.h>" "#include <IO.H>" "#include <direct.h>"
  "#include <dirent.h>" "#include <dlfcn.h>" "#include <langinfo.h>" "#include <unistd.h>"
  "#include <sys/stat.h>" "#include <fcntl.h>" "#include <xcb/xcb.h>" "#include <QString>"
  "#include <QtWidgets/QLabel>")
set(allowed
  "#include <iostream>" "#include <ios>" "#include <queue>" "#include <string>"
  "#include \"base/result.h\"" "#include \"settings_window/window_view.h\""
  "#include <cwctype>" "#include <nlohmann/json.hpp>" "// see windows.h")

set(sample ${CMAKE_CURRENT_BINARY_DIR}/core_isolation_sample.h)
foreach(line IN LISTS refused allowed)
  file(WRITE ${sample} "${line}\n")
  tagsmit_forbidden_includes(${sample} bad)
  if(line IN_LIST refused AND NOT bad)
    message(SEND_ERROR "not refused: ${line}")
  elseif(line IN_LIST allowed AND bad)
    message(SEND_ERROR "refused: ${line}")
  endif()
endforeach()
file(REMOVE ${sample})
