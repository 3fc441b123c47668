// A helper of the Wine checks (tools/wine_checks.sh): holds a file open as an indexer, a
// virus scanner or a backup tool does for a moment, reading it and letting others read and
// write it but not delete it or rename anything over it.
//
//   hold_file FILE
//
// Prints "held" once the file is open, keeps it open until a line or the end of input
// comes on standard input, then closes it and prints "released".
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hold_file FILE\n");
        return 2;
    }
    const HANDLE file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open %s (error %lu)\n", argv[1], static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    char line[16];
    std::fgets(line, sizeof line, stdin);
    CloseHandle(file);
    std::printf("released\n");
    return 0;
}
