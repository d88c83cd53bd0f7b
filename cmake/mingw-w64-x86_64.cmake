# Cross build for 64-bit Windows with mingw-w64 (posix threads), from Debian:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The programs are linked statically, so they need no GCC runtime DLLs, and
# ctest runs them through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVEL_MINGW_PREFIX x86_64-w64-mingw32)
# The posix-threads variant: the win32 one has no std::mutex or std::thread.
set(CMAKE_C_COMPILER ${CORVEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVEL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CORVEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian installs the 64-bit loader here, not on PATH.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR AND EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
