# Cross-building the core and dalvex-cli for 64-bit Windows with Debian's mingw-w64 (the POSIX threads
# variant, which has std::thread). Everything is linked statically so the executables run without DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DALVEX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DALVEX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DALVEX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DALVEX_MINGW_TRIPLE}-windres)

# Headers, libraries and packages come from the mingw tree and the prefixes given on the command line (the
# cross-built GoogleTest); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${DALVEX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run under wine on the build machine.
find_program(DALVEX_WINE NAMES wine wine64)
if(DALVEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DALVEX_WINE})
endif()

# -O2, not -O3: at -O3 GCC 12 reports a false -Wrestrict inside std::string (GCC bug 105329), an error here.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags of the Release build")
