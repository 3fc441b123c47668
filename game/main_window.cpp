#include "main_window.h"

#include "app_state.h"
#include "board.h"
#include "computer_player.h"
#include "dialogs.h"
#include "display.h"
#include "dpi_interfaces.h"
#include "game_clock.h"
#include "game_flow.h"
#include "random.h"
#include "ranking.h"
#include "resource.h"
#include "scale.h"
#include "tables.h"

namespace {
constexpr const char* class_name = "MyApp";

struct LevelItem {
    UINT id;
    int32_t level;
};
// The identifiers do not follow the order of the items, so the level comes from here.
constexpr LevelItem level_items[] = {
    {IDM_LEVEL_1, 1},   {IDM_LEVEL_2, 2},   {IDM_LEVEL_3, 3},   {IDM_LEVEL_4, 4},   {IDM_LEVEL_5, 5},
    {IDM_LEVEL_6, 6},   {IDM_LEVEL_7, 7},   {IDM_LEVEL_8, 8},   {IDM_LEVEL_9, 9},   {IDM_LEVEL_10, 10},
    {IDM_LEVEL_15, 15}, {IDM_LEVEL_20, 20}, {IDM_LEVEL_25, 25}, {IDM_LEVEL_30, 30}, {IDM_LEVEL_36, 36},
};

// The main window's size for the layout at its DPI, where it stands.
void fit_window(HWND window)
{
    const RECT outer = main_window_rect(window_dpi);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// WM_CREATE: the tables, the opening position, the scale of the monitor the window is on,
// the networks and the status line. Returns false when the networks could not be loaded
// and the window is gone.
bool start_up(HWND window)
{
    allocate_game_buffers();
    reset_board();
    set_scale(window, dpi_of_window(window)); // new_game loads the cursors at its multiple
    new_game();
    CheckMenuRadioItem(GetMenu(window), IDM_LEVEL_FIRST, IDM_LEVEL_LAST, IDM_LEVEL_1, MF_BYCOMMAND);
    // The network sizes are constants of the core (shape.h): nothing to compute here.
    seed_random(game_clock());
    if (!load_hall_of_fame(window)) {
        DestroyWindow(window);
        return false;
    }
    char text[32];
    wsprintfA(text, " A vous de jouer ! ");
    CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | WS_DLGFRAME, status_left, status_top, status_width,
                    status_height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS)),
                    instance_handle, nullptr);
    place_status_line(window);
    fit_window(window);
    return true;
}

// WM_GETDPISCALEDSIZE: before the window moves to a monitor of DPI `dpi`, Windows asks for
// the size it will have there, and then suggests it with WM_DPICHANGED.
BOOL size_at_dpi(UINT dpi, SIZE& size)
{
    const RECT outer = main_window_rect(dpi);
    size = SIZE{outer.right - outer.left, outer.bottom - outer.top};
    return TRUE;
}

// WM_DPICHANGED: the window is on a monitor of DPI `dpi` now. It takes the rectangle that
// Windows suggests and is drawn again at the new scale.
void move_to_dpi(HWND window, UINT dpi, const RECT& suggested)
{
    set_scale(window, dpi);
    load_cursors();
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}

// "Changer de couleur": the computer takes over the colour that was to move.
void change_colour(HWND window)
{
    DialogBoxParamA(instance_handle, "DIALOG1", window, colour_dialog_proc, 0);
    if (human_colour != side_to_move) {
        side_to_move = human_colour;
        computer_reply(window);
    }
}

// "Executer": once per run; the item stays greyed even after a new game.
void rank_command(HWND window)
{
    ModifyMenuA(GetMenu(window), IDM_RANK, MF_BYCOMMAND | MF_STRING | MF_GRAYED | MF_DISABLED, IDM_RANK,
                "Ex\xE9" "cuter");
    DrawMenuBar(window);
    rank_networks(window);
    find_legal_moves(side_to_move); // the ranking's games overwrote the map
}

void run_command(HWND window, UINT id)
{
    switch (id) {
    case IDM_CLOSE:
        DestroyWindow(window);
        return;
    case IDM_CHANGE_COLOUR:
        change_colour(window);
        return;
    case IDM_ABOUT:
        DialogBoxParamA(instance_handle, "AboutBox", window, about_dialog_proc, 0);
        return;
    case IDM_RANK:
        rank_command(window);
        return;
    default:
        break;
    }
    if (const int32_t chosen = level_of_item(id); chosen != 0) {
        CheckMenuRadioItem(GetMenu(window), IDM_LEVEL_FIRST, IDM_LEVEL_LAST, id, MF_BYCOMMAND);
        level = chosen;
    }
}
}

int32_t level_of_item(UINT id)
{
    for (const LevelItem& item : level_items) {
        if (item.id == id)
            return item.level;
    }
    return 0;
}

ATOM register_main_class(WNDCLASSA& window_class)
{
    const DWORD version = GetVersion();
    const bool nt_family = (version & 0x80000000u) == 0;
    const bool before_4 = (version & 0xFFu) < 4; // the major version
    if (nt_family || before_4)
        return RegisterClassA(&window_class);

    WNDCLASSEXA extended{};
    extended.cbSize = sizeof(WNDCLASSEXA); // 48 bytes on the 32-bit target
    extended.style = window_class.style;
    extended.lpfnWndProc = window_class.lpfnWndProc;
    extended.cbClsExtra = window_class.cbClsExtra;
    extended.cbWndExtra = window_class.cbWndExtra;
    extended.hInstance = window_class.hInstance;
    extended.hIcon = window_class.hIcon;
    extended.hCursor = window_class.hCursor;
    extended.hbrBackground = window_class.hbrBackground;
    extended.lpszMenuName = window_class.lpszMenuName;
    extended.lpszClassName = window_class.lpszClassName;
    extended.hIconSm = static_cast<HICON>(
        LoadImageA(window_class.hInstance, class_name, IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    return RegisterClassExA(&extended);
}
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 48);
#endif

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    switch (message) {
    case WM_CREATE:
        start_up(window);
        return 0;
    case WM_DESTROY:
        release_current_population();
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        paint_board(window);
        return 0;
    case WM_MOUSEMOVE: // the handlers read the pointer from the screen themselves
        track_pointer(window);
        return 0;
    case WM_LBUTTONDOWN:
        handle_click(window);
        return 0;
    case WM_COMMAND:
        run_command(window, LOWORD(w_param));
        return 0;
    case WM_GETDPISCALEDSIZE:
        return size_at_dpi(static_cast<UINT>(w_param), *reinterpret_cast<SIZE*>(l_param));
    case WM_DPICHANGED: // the new DPI comes with the message, the same on both axes
        move_to_dpi(window, LOWORD(w_param), *reinterpret_cast<const RECT*>(l_param));
        return 0;
    default:
        return DefWindowProcA(window, message, w_param, l_param);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command)
{
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = main_window_proc;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, class_name);
    window_class.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    window_class.lpszMenuName = class_name;
    window_class.lpszClassName = class_name;
    if (register_main_class(window_class) == 0)
        return 0;

    instance_handle = instance; // the start-up sequence needs it during creation
    // Sized for 96 DPI: the start-up sequence sizes it for the DPI of its monitor.
    const RECT outer = main_window_rect(base_dpi);
    const HWND window = CreateWindowExA(0, class_name, "Jeu d'Elvarin avec r\xE9seaux de neurones", main_window_style,
                                        CW_USEDEFAULT, 0, outer.right - outer.left, outer.bottom - outer.top,
                                        nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 0;
    ShowWindow(window, show_command);
    UpdateWindow(window);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
