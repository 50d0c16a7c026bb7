# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64). The posix
# thread model is taken where it is there, since the win32 one lacks parts of <thread> and
# <mutex> in GCC 12. Programs are linked statically, so that tavolent.exe needs no DLL beyond
# those of Windows itself. Where wine is installed, ctest runs the tests under it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVOLENT_MINGW_TRIPLE x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${TAVOLENT_MINGW_TRIPLE}-g++-posix ${TAVOLENT_MINGW_TRIPLE}-g++ REQUIRED)
# GoogleTest's project enables C as well.
find_program(CMAKE_C_COMPILER NAMES ${TAVOLENT_MINGW_TRIPLE}-gcc-posix ${TAVOLENT_MINGW_TRIPLE}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TAVOLENT_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVOLENT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC cannot align the Windows stack for spilled 256- and 512-bit registers, yet emits aligned
# moves for them; the assembler turns every aligned vector move into an unaligned one, so the
# AVX2 and AVX-512 lanes, chosen at run time, can run (binutils 2.38 or later).
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Debian's wine64 package has no `wine` on the path, only its loader under /usr/lib/wine.
find_program(TAVOLENT_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TAVOLENT_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVOLENT_WINE})
endif()
