# What the Windows build does differently, included by the top-level CMakeLists.txt on
# WIN32: no benchmarks, and GoogleTest built from Debian's sources (libgtest-dev ships
# them in /usr/src/googletest) since no MinGW build of it is packaged.
if(CMAKE_VERSION VERSION_LESS 3.24)
    message(FATAL_ERROR "The Windows build needs CMake 3.24 or later (LINK_LIBRARY, OVERRIDE_FIND_PACKAGE)")
endif()
set(ELVARIN_BENCH OFF CACHE BOOL "Build the benchmarks" FORCE)

if(ELVARIN_TESTS AND CMAKE_CROSSCOMPILING)
    set(googletest_source /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
    if(NOT EXISTS ${googletest_source}/CMakeLists.txt)
        message(FATAL_ERROR "GoogleTest sources not found in ${googletest_source} (install libgtest-dev)")
    endif()
    # find_package(GTest) then finds these targets (GTest::gtest, GTest::gtest_main).
    include(FetchContent)
    FetchContent_Declare(GTest SOURCE_DIR ${googletest_source} OVERRIDE_FIND_PACKAGE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE) # Windows threads, not winpthreads
    FetchContent_MakeAvailable(GTest)
endif()
