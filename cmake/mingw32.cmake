# Cross build of the 32-bit Windows program with MinGW-w64 (posix thread model,
# which GoogleTest needs for std::mutex). CTest runs its programs with Wine's
# 32-bit loader, called directly.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(PLOTRA_WINE_LOADER /usr/lib/wine/wine CACHE FILEPATH "Wine loader that runs this build's programs")
set(CMAKE_CROSSCOMPILING_EMULATOR ${PLOTRA_WINE_LOADER})
