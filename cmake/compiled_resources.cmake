# Resources of a Linux program that runs on the Win32 layer: its resource script is compiled
# by mingw-w64's windres, the compiler of the Windows build, into a .res file whose bytes
# the program links (platform/win32/resources.h). Run as a script (cmake -P), this file
# writes those bytes as a C++ array.
#
#   add_compiled_resources(TARGET SCRIPT.rc [FILES...])
# makes the object library TARGET; FILES are what the script includes or names (headers,
# images), so that a change to one compiles it again.

if(CMAKE_SCRIPT_MODE_FILE)
    file(READ ${res_file} bytes HEX)
    string(REGEX REPLACE "(..)" "0x\\1," bytes "${bytes}")
    string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
           "\\1\n" bytes "${bytes}")
    file(WRITE ${cpp_file}.new
         "// Written by the build from the compiled resource script; do not edit.\n"
         "#include <cstdint>\n#include <span>\n\n"
         "namespace win32_resources {\nnamespace {\nconstexpr uint8_t bytes[] = {\n${bytes}};\n}\n"
         "extern const std::span<const uint8_t> res_file;\n"
         "const std::span<const uint8_t> res_file{bytes};\n}\n")
    file(RENAME ${cpp_file}.new ${cpp_file})
    return()
endif()

# The windres of either mingw-w64 target writes the same .res; it preprocesses the script
# with the C compiler of its target, which brings <windows.h>.
find_program(ELVARIN_WINDRES NAMES x86_64-w64-mingw32-windres i686-w64-mingw32-windres)
if(ELVARIN_WINDRES)
    string(REGEX REPLACE "windres$" "gcc" windres_preprocessor ${ELVARIN_WINDRES})
endif()
if(NOT ELVARIN_WINDRES OR NOT EXISTS ${windres_preprocessor})
    message(FATAL_ERROR "The game's resources are compiled with mingw-w64's windres and its C compiler "
                        "(Debian packages binutils-mingw-w64-x86-64 and gcc-mingw-w64-x86-64-win32, "
                        "installed by: bash tools/install_deps.sh linux). Or configure with -DELVARIN_GAME=OFF.")
endif()

function(add_compiled_resources target script)
    get_filename_component(script_dir ${script} DIRECTORY)
    set(res_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.res)
    set(cpp_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
    add_custom_command(
        OUTPUT ${res_file}
        COMMAND ${ELVARIN_WINDRES} -O res -I ${script_dir} -o ${res_file} ${script}
        DEPENDS ${script} ${ARGN}
        WORKING_DIRECTORY ${script_dir}
        COMMENT "Compiling the resource script ${script}"
        VERBATIM)
    add_custom_command(
        OUTPUT ${cpp_file}
        COMMAND ${CMAKE_COMMAND} -Dres_file=${res_file} -Dcpp_file=${cpp_file} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        DEPENDS ${res_file} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        VERBATIM)
    # An object library: the bytes go into each program that links them, as a compiled
    # resource script goes into a Windows program, whatever the order of the libraries.
    add_library(${target} OBJECT ${cpp_file})
    target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()
