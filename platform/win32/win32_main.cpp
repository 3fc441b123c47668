// platform/win32/win32_main.cpp -- the program entry of the Linux build: starts Qt, then
// calls the program's WinMain as Windows would.
#include <windows.h>

#include <string>
#include <vector>

#include "application.h"
#include "standard_streams.h"

int main(int argc, char** argv)
{
    keep_standard_streams_open(); // else the display connection may take a closed one's number
    win32_layer::start_application(argc, argv);
    std::string command_line;
    for (int i = 1; i < argc; ++i) {
        if (!command_line.empty())
            command_line += ' ';
        command_line += argv[i];
    }
    std::vector<char> buffer(command_line.begin(), command_line.end());
    buffer.push_back('\0');
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, buffer.data(), SW_SHOWNORMAL);
    win32_layer::stop_application();
    return result;
}
