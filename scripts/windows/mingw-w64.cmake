# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# which Qt needs for std::thread and std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TESSARO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TESSARO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSARO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSARO_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW sysroot and the prefixes the
# Windows build script fills; programs run on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TESSARO_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The tests run under Wine here (CTest puts the emulator before each test).
find_program(TESSARO_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(TESSARO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSARO_WINE})
endif()
