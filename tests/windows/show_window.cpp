// A helper of the Wine checks (tools/wine_checks.sh): maximises or restores the top-level
// window of another program, found by its window class, as the caption's buttons would.
//
//   show_window CLASS maximize|restore
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const int command = argc != 3                             ? -1
                        : std::strcmp(argv[2], "maximize") == 0 ? SW_MAXIMIZE
                        : std::strcmp(argv[2], "restore") == 0  ? SW_RESTORE
                                                                : -1;
    if (command < 0) {
        std::fprintf(stderr, "usage: show_window CLASS maximize|restore\n");
        return 2;
    }
    const HWND window = FindWindowA(argv[1], nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "no window of class %s\n", argv[1]);
        return 1;
    }
    ShowWindow(window, command);
    return 0;
}
