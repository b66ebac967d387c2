# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64-posix) and runs the programs it builds under Wine,
# which is how the tests of the core are checked for Windows on Linux:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The posix thread model gives the standard library its std::thread and
# std::mutex; the win32 one of this compiler version lacks them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZELMO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZELMO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELMO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELMO_MINGW_PREFIX}-windres)

# Libraries and packages come from the MinGW tree and from the folders given
# in CMAKE_PREFIX_PATH (GoogleTest built for Windows), never from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZELMO_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe per program: Wine then needs no MinGW runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(ZELMO_WINE NAMES wine wine64)
if(ZELMO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELMO_WINE})
endif()
