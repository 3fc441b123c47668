# Cross-building the Windows programs for 32-bit Windows with Debian's mingw-w64:
#   cmake -S . -B build-mingw-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
# tools/windows_build.sh does this and the build.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(mingw_triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
