# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix) and runs
# what it builds (test discovery, ctest) under Wine. The posix-threads variant, because
# std::thread and std::mutex need it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(QALIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QALIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QALIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QALIX_MINGW_TRIPLE}-windres)

# Libraries and packages come from the MinGW tree only, never from the build machine's own;
# programs (the build's tools) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QALIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime (libstdc++, libgcc, winpthreads) is linked in, so that a program runs on its own,
# under Wine or copied to a Windows machine, with no DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian's wine64 package puts its loader outside PATH; WINEDEBUG keeps Wine's own notes out of
# the programs' output, which the tests read.
find_program(QALIX_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QALIX_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEDEBUG=-all ${QALIX_WINE64})
endif()

# Header-only packages: Debian's, without the rest of the build machine's headers (windows/).
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/windows)
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/windows)
set(Boost_DIR ${CMAKE_CURRENT_LIST_DIR}/windows)
