# Cross-building for 64-bit Windows with Debian's mingw-w64 (the posix
# flavour, whose C++ library has std::thread), and running what is built
# under Debian's Wine:
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
# The programs are linked statically, so each .exe runs on its own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TARVINE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARVINE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARVINE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TARVINE_MINGW}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TARVINE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests run under Wine, in a Wine prefix of the build folder's own (never
# the user's ~/.wine), without Wine's debugging output. make windows-test
# starts its server and services before CTest (a cold start per test costs
# seconds).
set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDEBUG=-all wine)
