// platform/win32/layer_state.h -- the ground floor of the Linux layer: the objects behind the
// Win32 handles (window classes, windows, menus, device contexts, bitmaps, cursors), the
// message queue, and the one hook a test rig may set. One thread uses all of it. Nothing
// here calls the floors above.
#pragma once

#include <QCursor>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "layer_hook.h"

class QAction;
class QMenuBar;

namespace win32_layer {

// The handle of the system's user32.dll, as GetModuleHandleA gives it.
constexpr uintptr_t user32_module = 0x7E410000;

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

struct WindowClass {
    std::string name;
    WNDPROC proc = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menu_name;
};

struct Window {
    HWND handle = nullptr;
    std::string class_name;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    HWND parent = nullptr;  // child windows only
    HWND owner = nullptr;   // top-level windows: the window they stand over (dialogs)
    int child_id = 0;
    std::string text;       // Windows-1252
    HMENU menu = nullptr;
    HCURSOR class_cursor = nullptr;
    HICON class_icon = nullptr;
    HBRUSH background = nullptr;
    std::vector<HWND> children;   // in creation order

    bool destroying = false;
    bool visible = false;
    bool enabled = true;

    // Child: rectangle in the parent's client area. Top-level: outer corner asked for at
    // creation and the client size.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    // The client pixels of a top-level window; they persist between paints.
    QImage surface;
    QRect update_region;   // empty: nothing to paint
    bool erase_pending = false;

    // Qt side: a top-level window owns its frame (menu bar above, client area below); a
    // child's widget lives in its parent's client area.
    std::unique_ptr<QWidget> frame;
    QPointer<QWidget> client_widget;
    QPointer<QMenuBar> menu_bar;
    QPointer<QWidget> widget;
};

struct MenuItem {
    std::string text;   // Windows-1252
    UINT id = 0;
    UINT flags = 0;     // MF_GRAYED, MF_DISABLED, MF_CHECKED
    HMENU popup = nullptr;
    QPointer<QAction> action;
};

struct Menu {
    std::vector<MenuItem> items;
};

struct Bitmap {
    QImage image;
    bool stock = false;
    int selections = 0;  // device contexts it is selected into
};

struct Font {
    QFont font;
    bool stock = false;
    int selections = 0;  // device contexts it is selected into
};

struct DeviceContext {
    HWND window = nullptr;       // window DCs: the window drawn on
    bool memory = false;
    HGDIOBJ bitmap = nullptr;    // memory DCs: the selected bitmap
    HGDIOBJ font = nullptr;      // the selected font: the system's until another is selected
    int background_mode = OPAQUE;
    int stretch_mode = BLACKONWHITE;
};

// Cursors and icons share one kind of object, as they do on Windows.
struct CursorObject {
    QCursor cursor;
    QImage image;          // icons
    std::string file;      // cursors loaded from a file: its name
};

struct LayerState {
    uintptr_t next_number = 0x10000;

    std::map<std::string, WindowClass> classes;   // by lower-case name
    std::map<uintptr_t, std::unique_ptr<Window>> windows;
    std::map<uintptr_t, Menu> menus;
    std::map<uintptr_t, Bitmap> bitmaps;
    std::map<uintptr_t, Font> fonts;
    std::map<uintptr_t, DeviceContext> device_contexts;
    std::map<uintptr_t, CursorObject> cursors;
    HCURSOR cross_cursor = nullptr;
    HCURSOR arrow_cursor = nullptr;
    HGDIOBJ stock_bitmap = nullptr;
    HGDIOBJ system_font = nullptr;

    std::deque<MSG> queue;
    bool quit_pending = false;
    int quit_code = 0;

    HWND pointer_window = nullptr;  // the top-level window of the last pointer message
    HCURSOR current_cursor = nullptr;
};

LayerState& state();
// Drops every object and makes the stock ones afresh.
void reset_state();
// The hook a test rig has set, or nullptr (always, in the shipped program).
const LayerHook* hook();

uintptr_t new_number();
Window* find_window(HWND handle);
Menu* find_menu(HMENU handle);
Bitmap* find_bitmap(HGDIOBJ handle);
Font* find_font(HGDIOBJ handle);
DeviceContext* find_dc(HDC handle);
CursorObject* find_cursor(HCURSOR handle);

// The frame that the layer counts around a top-level window's client area, whatever frame
// the window system really draws: a 2-pixel border on every side, and above the client area
// a 19-pixel caption (WS_CAPTION) and a 19-pixel menu bar (a window with a menu). Outer
// sizes given to CreateWindowExA and got from AdjustWindowRectEx follow it. Child windows
// have none.
QMargins frame_margins(DWORD style, bool menu);

// The top-level window a window belongs to (itself when it is top-level).
Window* top_level_of(Window& window);
// Screen position of the client area's top-left corner.
QPoint client_screen_origin(const Window& window);
QSize client_size(const Window& window);

// Marks part of the client area as needing WM_PAINT (an empty area: all of it).
void invalidate(Window& window, QRect area, bool erase);
// The client area got a new size: the surface follows, keeping its pixels.
void resize_client(Window& window, QSize size);
// Colour of a class background brush (COLOR_xxx + 1 brushes).
QColor brush_colour(HBRUSH brush);

} // namespace win32_layer
