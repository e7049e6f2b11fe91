# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix-thread
# compiler, whose libstdc++ has std::thread and std::mutex), run under Wine.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAGSMIT_MINGW_TARGET x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER ${TAGSMIT_MINGW_TARGET}-g++-posix REQUIRED)
# GoogleTest's project enables C as well.
find_program(CMAKE_C_COMPILER ${TAGSMIT_MINGW_TARGET}-gcc-posix REQUIRED)
find_program(CMAKE_RC_COMPILER ${TAGSMIT_MINGW_TARGET}-windres REQUIRED)

# Headers and libraries come from the mingw-w64 tree only, never from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TAGSMIT_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config searches the mingw-w64 tree alone (an empty value would unset
# the variable and let it fall back to the host's folders).
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig)
unset(ENV{PKG_CONFIG_PATH})

# The programs carry the compiler's runtime (libgcc, libstdc++, winpthread),
# so they need no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine, in a prefix kept in the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh
                                  ${CMAKE_BINARY_DIR}/wineprefix)
