# The cross build with MinGW-w64 for the target MINGW_TRIPLET names (posix
# thread model, which GoogleTest needs for std::mutex). CTest runs the
# programs with the Wine loader MINGW_WINE_LOADER names, called directly:
# Debian's wine wrapper would pick the 32-bit loader whenever it is
# installed, even where the kernel cannot run it. Included by the two
# toolchain files, mingw32.cmake and mingw64.cmake.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(PLOTRA_WINE_LOADER ${MINGW_WINE_LOADER} CACHE FILEPATH "Wine loader that runs this build's programs")
set(CMAKE_CROSSCOMPILING_EMULATOR ${PLOTRA_WINE_LOADER})
