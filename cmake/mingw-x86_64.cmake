# Cross-building the Windows programs for 64-bit Windows with Debian's mingw-w64:
#   cmake -S . -B build-mingw-x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
# tools/windows_build.sh does this and the build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw_triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
