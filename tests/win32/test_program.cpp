// tests/win32/test_program.cpp -- the test program. Its resources (test_program.rc) are
// compiled and linked in place of the game's, as any program links its own.
#include "test_program.h"

#include <array>

namespace test_program {

std::vector<std::string> events;
std::function<bool(HWND, UINT, WPARAM, LPARAM)> extra;
int quit_code = 0;
INT_PTR last_dialog_result = -2;

namespace {

constexpr std::array<uint32_t, 16> palette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Appends each value, little-endian, in as many bytes as its type holds.
template <typename... Values>
void put(std::vector<uint8_t>& bytes, Values... values)
{
    auto one = [&](auto value) {
        for (size_t i = 0; i < sizeof value; ++i)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i)));
    };
    (one(values), ...);
}

INT_PTR CALLBACK dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        events.push_back("init");
        CheckRadioButton(dialog, 101, 102, 102);
        CheckRadioButton(dialog, 104, 104, 104);
        return TRUE;
    case WM_COMMAND:
        events.push_back("command " + std::to_string(LOWORD(wparam)) + " " + std::to_string(HIWORD(wparam)) +
                         (win32_test::button_checked(dialog, 101) ? " 101 checked" : ""));
        if (LOWORD(wparam) == IDOK)
            EndDialog(dialog, dialog_result);
        return TRUE;   // IDCANCEL does not close it
    default:
        return FALSE;
    }
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (extra && extra(window, message, wparam, lparam))
        return 0;
    switch (message) {
    case WM_CREATE:
        events.push_back(GetMenu(window) != nullptr ? "create with menu" : "create");
        CreateWindowExA(0, "STATIC", " Bonjour ", WS_CHILD | WS_VISIBLE | WS_DLGFRAME, 260, 10, 220, 25, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(status_id)), nullptr, nullptr);
        return 0;
    case WM_DESTROY:
        events.push_back("destroy");
        PostQuitMessage(quit_code);
        return 0;
    case WM_LBUTTONDOWN:
        events.push_back("down " + std::to_string(LOWORD(lparam)) + "," + std::to_string(HIWORD(lparam)));
        return 0;
    case WM_COMMAND:
        events.push_back("menu " + std::to_string(LOWORD(wparam)));
        if (LOWORD(wparam) == dialog_command)
            last_dialog_result = DialogBoxParamA(GetModuleHandleA(nullptr), "testdlg", window, dialog_proc, 0);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

} // namespace

uint32_t palette_colour(int index)
{
    return palette[static_cast<size_t>(index)];
}

int bitmap_index(int x, int y)
{
    return (x + bitmap_width * y) % 16;
}

void prepare()
{
    events.clear();
    extra = nullptr;
    quit_code = 0;
    last_dialog_result = -2;
}

int WINAPI entry(HINSTANCE instance, HINSTANCE, LPSTR, int show_command)
{
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    window_class.lpszMenuName = "TestMenu";
    window_class.lpszClassName = "TestApp";
    if (RegisterClassA(&window_class) == 0)
        return -1;
    const HWND window = CreateWindowExA(0, "TestApp", "Essai", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, 520, 287,
                                        nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return -2;
    ShowWindow(window, show_command);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

std::vector<uint8_t> cursor_file(uint16_t hot_x, uint16_t hot_y)
{
    constexpr uint32_t side = 32;
    constexpr uint32_t stride = 4;
    constexpr uint32_t image_size = 40 + 2 * 4 + 2 * stride * side;
    std::vector<uint8_t> bytes;
    put(bytes, uint16_t{0}, uint16_t{2}, uint16_t{1});   // a cursor file of one image
    put(bytes, uint8_t{side}, uint8_t{side}, uint8_t{2}, uint8_t{0}, uint16_t{hot_x}, uint16_t{hot_y}, image_size,
        uint32_t{22});
    // Its bitmap header (40 bytes; the height counts the AND mask too), then two colours.
    put(bytes, uint32_t{40}, int32_t{side}, int32_t{2 * side}, uint16_t{1}, uint16_t{1});
    put(bytes, uint32_t{0}, uint32_t{0}, uint32_t{0}, uint32_t{0}, uint32_t{2}, uint32_t{0});
    put(bytes, uint32_t{0x000000}, uint32_t{0xFFFFFF});
    auto inside = [&](uint32_t x, uint32_t y) { return x >= hot_x && x < hot_x + 8u && y >= hot_y && y < hot_y + 8u; };
    for (int pass = 0; pass < 2; ++pass) {   // colour bits (0: black), then the AND mask
        for (int row = side - 1; row >= 0; --row) {
            for (uint32_t byte = 0; byte < stride; ++byte) {
                uint8_t bits = 0;
                for (uint32_t bit = 0; bit < 8; ++bit) {
                    const bool transparent = !inside(byte * 8 + bit, static_cast<uint32_t>(row));
                    if (pass == 1 && transparent)
                        bits |= static_cast<uint8_t>(0x80 >> bit);
                }
                bytes.push_back(bits);
            }
        }
    }
    return bytes;
}

} // namespace test_program
