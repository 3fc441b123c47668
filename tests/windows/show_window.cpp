// A helper of the Wine checks (tools/wine_checks.sh): acts on the top-level window of another
// program, found by its window class.
//
//   show_window CLASS maximize|restore   as the caption's buttons would
//   show_window CLASS client             prints its client area's size: "client W H"
//   show_window CLASS command ID         posts the menu command ID, as choosing the item would
//   show_window CLASS dpi DPI            does what Windows does when the window moves to a
//                                        monitor of that DPI: asks for its size there
//                                        (WM_GETDPISCALEDSIZE), then suggests the rectangle of
//                                        that size where the window stands (WM_DPICHANGED).
//                                        Prints "suggested L T R B window L T R B client W H",
//                                        the window's rectangle and client area once it has
//                                        handled the message.
//
// The two messages carry pointers, which Windows does not carry over to another process:
// the size and the rectangle are written into the other program's memory.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: show_window CLASS maximize|restore|client|command ID|dpi DPI\n");
    return 2;
}

// A block of the other program's memory that holds one value of type T.
template <typename T>
class RemoteValue {
public:
    RemoteValue(HANDLE process, const T& value) : process_(process)
    {
        at_ = VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (at_ != nullptr && !WriteProcessMemory(process, at_, &value, sizeof(T), nullptr))
            at_ = nullptr;
    }
    ~RemoteValue()
    {
        if (at_ != nullptr)
            VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    }
    RemoteValue(const RemoteValue&) = delete;
    RemoteValue& operator=(const RemoteValue&) = delete;

    bool made() const { return at_ != nullptr; }
    LPARAM address() const { return reinterpret_cast<LPARAM>(at_); }
    T read() const
    {
        T value{};
        ReadProcessMemory(process_, at_, &value, sizeof(T), nullptr);
        return value;
    }

private:
    HANDLE process_;
    void* at_ = nullptr;
};

void print_client(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    std::printf("client %ld %ld\n", client.right, client.bottom);
}

int move_to_dpi(HWND window, UINT dpi)
{
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_id);
    if (process == nullptr) {
        std::fprintf(stderr, "cannot open the window's process\n");
        return 1;
    }
    RECT now{};
    GetWindowRect(window, &now);
    // Without an answer, Windows scales the window's size with the DPI.
    const UINT from = GetDpiForWindow(window) != 0 ? GetDpiForWindow(window) : USER_DEFAULT_SCREEN_DPI;
    SIZE size{MulDiv(now.right - now.left, static_cast<int>(dpi), static_cast<int>(from)),
              MulDiv(now.bottom - now.top, static_cast<int>(dpi), static_cast<int>(from))};
    {
        const RemoteValue<SIZE> asked(process, size);
        if (asked.made() && SendMessageA(window, WM_GETDPISCALEDSIZE, dpi, asked.address()))
            size = asked.read();
    }
    const RECT suggested{now.left, now.top, now.left + size.cx, now.top + size.cy};
    const RemoteValue<RECT> rectangle(process, suggested);
    if (!rectangle.made()) {
        std::fprintf(stderr, "cannot write into the window's process\n");
        CloseHandle(process);
        return 1;
    }
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), rectangle.address());
    RECT after{};
    GetWindowRect(window, &after);
    std::printf("suggested %ld %ld %ld %ld window %ld %ld %ld %ld ", suggested.left, suggested.top, suggested.right,
                suggested.bottom, after.left, after.top, after.right, after.bottom);
    print_client(window);
    CloseHandle(process);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return usage();
    // Rectangles in the screen's pixels, as the program sees them.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const HWND window = FindWindowA(argv[1], nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "no window of class %s\n", argv[1]);
        return 1;
    }
    const char* what = argv[2];
    if (argc == 3 && std::strcmp(what, "maximize") == 0)
        ShowWindow(window, SW_MAXIMIZE);
    else if (argc == 3 && std::strcmp(what, "restore") == 0)
        ShowWindow(window, SW_RESTORE);
    else if (argc == 3 && std::strcmp(what, "client") == 0)
        print_client(window);
    else if (argc == 4 && std::strcmp(what, "command") == 0)
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), 0), 0);
    else if (argc == 4 && std::strcmp(what, "dpi") == 0)
        return move_to_dpi(window, static_cast<UINT>(std::atoi(argv[3])));
    else
        return usage();
    return 0;
}
