# Cross build of the 64-bit Windows program with MinGW-w64, from the same
# sources as the 32-bit one. CTest runs its programs with Wine's 64-bit
# loader, called directly: Debian's wine wrapper would pick the 32-bit loader
# whenever it is installed, even where the kernel cannot run it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(PLOTRA_WINE_LOADER /usr/lib/wine/wine64 CACHE FILEPATH "Wine loader that runs this build's programs")
set(CMAKE_CROSSCOMPILING_EMULATOR ${PLOTRA_WINE_LOADER})
