# The part of the two mingw-w64 toolchain files that does not depend on the processor:
# they set mingw_triple and CMAKE_SYSTEM_PROCESSOR, then include this file.
set(CMAKE_SYSTEM_NAME Windows)

# The "-posix" compilers come with the C++ threading support; "-win32" ones work too.
find_program(CMAKE_C_COMPILER NAMES ${mingw_triple}-gcc-posix ${mingw_triple}-gcc-win32 ${mingw_triple}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${mingw_triple}-g++-posix ${mingw_triple}-g++-win32 ${mingw_triple}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${mingw_triple}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe each: the compiler's runtime is linked in, so no DLL of it
# has to travel with the programs.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# The tests run under Wine; they are listed when ctest starts, so building needs no Wine.
find_program(wine_program NAMES wine)
if(wine_program)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_program})
endif()
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
