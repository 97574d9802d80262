# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the POSIX-threads variant, whose
# libstdc++ has std::thread and friends). Executables link libgcc and libstdc++ statically, so
# they need nothing but Windows' own DLLs.
#
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# Libraries built for this target (GoogleTest, for example) are found through <Package>_DIR or
# by adding their install prefix to CMAKE_FIND_ROOT_PATH.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HOSHIWA2_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HOSHIWA2_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HOSHIWA2_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${HOSHIWA2_MINGW_TRIPLET}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${HOSHIWA2_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# Runs the cross-built programs (tests, generators) on the build machine when wine is there.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR AND EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
