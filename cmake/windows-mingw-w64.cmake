# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers. The
# posix-threads variant is the one whose std::thread and std::mutex work.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KEYWEAVE_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KEYWEAVE_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KEYWEAVE_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${KEYWEAVE_MINGW_TARGET}-windres)

# Libraries and headers come from the target's tree only, so nothing built for
# Linux is linked in by mistake. Programs (the build's tools) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${KEYWEAVE_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The JSON library is headers only: the host's, without the rest of /usr/include.
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/cross/nlohmann_json CACHE PATH "nlohmann_json's CMake files")

# Programs that carry the compiler's run-time libraries: keyweave-cli.exe runs
# on its own, without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and test discovery run under Wine, in the build folder's own prefix, so
# nothing of the user's ~/.wine is used or changed.
find_program(KEYWEAVE_WINE wine)
if(KEYWEAVE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all ${KEYWEAVE_WINE})
endif()
