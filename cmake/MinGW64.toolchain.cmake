# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64-posix)
# and runs the programs built, tests included, under wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW64.toolchain.cmake -DQUILMO_QT=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILMO_MINGW_PREFIX x86_64-w64-mingw32)
# The posix flavour: std::thread and std::mutex need the winpthreads model.
set(CMAKE_C_COMPILER ${QUILMO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILMO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILMO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILMO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained programs: the compiler's runtime DLLs need not be found by wine or by a user.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(QUILMO_WINE NAMES wine wine64)
if(QUILMO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILMO_WINE})
endif()
