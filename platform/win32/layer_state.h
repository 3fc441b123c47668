// platform/win32/layer_state.h -- the objects behind the Win32 handles of the Linux layer:
// window classes, windows, menus, device contexts, bitmaps, cursors and icons, the message
// queue, and the records the test hooks read back. One thread uses all of it.
#pragma once

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "win32_test.h"

class QAction;
class QMenuBar;

namespace win32_layer {

// ---- Handles: every object gets a number of its own, never reused, cast to its handle type.
template <typename Handle>
Handle to_handle(uintptr_t number)
{
    return reinterpret_cast<Handle>(number);
}
template <typename Handle>
uintptr_t handle_number(Handle handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

// Offsets from a top-level window's outer corner to its client area, and the frame's total
// extra size; the window placement and the client area always agree on them.
constexpr int frame_left = 2;
constexpr int frame_top = 40;
constexpr int frame_extra_width = 4;
constexpr int frame_extra_height = 42;

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menu_name;
    ATOM atom = 0;
};

enum class ControlKind { none, text, icon, push_button, default_push_button, radio, auto_radio, check_box,
                         auto_check_box, group_box };

struct Window {
    HWND handle = nullptr;
    std::string class_name;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    HWND parent = nullptr;  // child windows only
    HWND owner = nullptr;   // dialogs: the window they are modal over
    int child_id = 0;
    std::string text;       // Windows-1252
    HMENU menu = nullptr;
    HCURSOR class_cursor = nullptr;
    HICON class_icon = nullptr;
    HBRUSH background = nullptr;
    UINT class_style = 0;

    bool destroying = false;
    bool destroyed = false;
    bool visible = false;
    bool enabled = true;

    // Geometry. Child: rectangle in the parent's client area. Top-level: outer corner on the
    // screen as last known (test mode) and the client size.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // The client pixels of a top-level window; they persist between paints.
    QImage surface;
    QRect update_region;   // empty: nothing to paint
    bool erase_pending = false;

    // What the person saw, kept after the window is destroyed.
    std::vector<win32_test::DrawnText> drawn_texts;
    std::map<int, std::vector<std::string>> control_texts;
    std::vector<HWND> children;

    // Dialogs.
    bool is_dialog = false;
    DLGPROC dialog_proc = nullptr;
    bool dialog_ended = false;
    INT_PTR dialog_result = 0;
    std::string template_name;
    bool owner_was_enabled = false;

    // Controls.
    ControlKind control = ControlKind::none;
    bool checked = false;
    HICON control_icon = nullptr;

    // Qt side: a top-level window owns its frame; a control's widget belongs to the parent's.
    std::unique_ptr<QWidget> frame;
    QPointer<QWidget> client_widget;   // where the surface is shown and controls live
    QPointer<QMenuBar> menu_bar;
    QPointer<QWidget> control_widget;
};

struct MenuItem {
    std::string text;   // Windows-1252
    UINT id = 0;
    UINT flags = 0;     // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR, MFT_RADIOCHECK
    HMENU popup = nullptr;
    QPointer<QAction> action;
};

struct Menu {
    std::vector<MenuItem> items;
    HWND window = nullptr;  // the window whose bar shows it (top menu) or nullptr
};

struct Bitmap {
    QImage image;
    bool stock = false;
    int selections = 0;  // device contexts it is selected into
};

struct DeviceContext {
    HWND window = nullptr;       // window DCs: the window drawn on
    bool memory = false;
    HGDIOBJ bitmap = nullptr;    // memory DCs: the selected bitmap
    int background_mode = OPAQUE;
    COLORREF text_colour = RGB(0, 0, 0);
    COLORREF background_colour = RGB(255, 255, 255);
};

// Cursors and icons share one kind of object, as they do on Windows.
struct CursorObject {
    win32_test::CursorKind kind = win32_test::CursorKind::from_file;
    std::string file;
    POINT hot_spot{0, 0};
    QImage image;          // icons and file cursors
    QCursor cursor;
};

using MessageBoxAnswerer = std::function<int(const win32_test::MessageBoxCall&)>;

struct LayerState {
    bool test_mode = false;
    uintptr_t next_number = 0x10000;

    std::map<std::string, WindowClass> classes;   // by lower-case name
    std::map<uintptr_t, std::unique_ptr<Window>> windows;
    std::map<uintptr_t, Menu> menus;
    std::map<uintptr_t, Bitmap> bitmaps;
    std::map<uintptr_t, DeviceContext> device_contexts;
    std::map<uintptr_t, CursorObject> cursors;
    HCURSOR cross_cursor = nullptr;
    HCURSOR arrow_cursor = nullptr;
    HICON application_icon = nullptr;
    HGDIOBJ stock_bitmap = nullptr;

    std::deque<MSG> queue;
    bool quit_pending = false;
    int quit_code = 0;

    HWND main_window = nullptr;
    std::vector<HWND> dialogs;   // open modal dialogs, innermost last
    HWND pointer_window = nullptr;  // the window of the last mouse message
    POINT pointer{0, 0};         // test mode: where the person's pointer is, on the screen
    HCURSOR current_cursor = nullptr;
    bool cursor_was_set = false;

    // Test runs.
    std::deque<win32_test::Step> steps;
    std::vector<std::string> errors;
    MessageBoxAnswerer answerer;
    std::vector<win32_test::MessageBoxCall> message_boxes;
    bool close_requested = false;
    // A script step is running (not a handler it caused), for the loop that went idle:
    // the innermost open dialog's modal loop, or the program's loop (nullptr).
    bool in_step = false;
    HWND idle_dialog = nullptr;
};

LayerState& state();
// Drops every object and record (test runs start from here); script steps stay.
void reset_state();

uintptr_t new_number();
Window* find_window(HWND handle);        // live windows only
Window* find_any_window(HWND handle);    // destroyed ones too, for the records
Menu* find_menu(HMENU handle);
Bitmap* find_bitmap(HGDIOBJ handle);
DeviceContext* find_dc(HDC handle);
CursorObject* find_cursor(HCURSOR handle);

// The top-level window a window belongs to (itself when it is top-level).
Window* top_level_of(Window& window);
// Screen position of the client area's top-left corner.
QPoint client_screen_origin(const Window& window);
// Client size: the surface of a top-level window, the rectangle of a child.
QSize client_size(const Window& window);

// Makes sure a Qt application exists; the program's main() starts it with its arguments.
void ensure_application();
void start_application(int& argc, char** argv);
// Ends the application started here, dropping the layer's Qt objects first.
void stop_application();

} // namespace win32_layer
