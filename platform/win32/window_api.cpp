// platform/win32/window_api.cpp -- window classes, window creation and destruction, the
// default window procedure, window texts and geometry. Controls and dialogs are window
// classes like any other: their procedures (controls.cpp, dialogs.cpp) build what they show.
#include <QPainter>

#include <algorithm>
#include <cctype>

#include "layer_state.h"
#include "menu_bar.h"
#include "qt_frames.h"

namespace win32_layer {
namespace {

// Windows XP (NT 5.1, build 2600): the high bit is clear, as on every NT system.
constexpr DWORD system_version = 0x0A280105;
// Where the system puts a top-level window created without a position or size.
constexpr int default_x = 40;
constexpr int default_y = 30;
constexpr int default_width = 640;
constexpr int default_height = 480;
constexpr ATOM first_atom = 0xC000;

std::string lower_case(const char* name)
{
    std::string lowered = name;
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

const WindowClass* find_class(LPCSTR name)
{
    if (name == nullptr || IS_INTRESOURCE(name))
        return nullptr;
    const auto& classes = state().classes;
    const auto found = classes.find(lower_case(name));
    return found == classes.end() ? nullptr : &found->second;
}

ATOM add_class(const WNDCLASSA& source)
{
    auto& classes = state().classes;
    if (source.lpfnWndProc == nullptr || source.lpszClassName == nullptr || IS_INTRESOURCE(source.lpszClassName))
        return 0;
    const std::string key = lower_case(source.lpszClassName);
    if (key.empty() || classes.count(key) != 0)
        return 0;
    WindowClass& made = classes[key];
    made.name = source.lpszClassName;
    made.proc = source.lpfnWndProc;
    made.icon = source.hIcon;
    made.cursor = source.hCursor;
    made.background = source.hbrBackground;
    if (source.lpszMenuName != nullptr && !IS_INTRESOURCE(source.lpszMenuName))
        made.menu_name = source.lpszMenuName;
    return static_cast<ATOM>(first_atom + classes.size() - 1);
}

void tell_hook_text(const Window& window)
{
    if (const LayerHook* watcher = hook())
        watcher->window_text(window.handle, window.text.c_str());
}

// Creation without a message: the window's record, its frame if it is top-level.
Window& make_window(const WindowClass& window_class, LPCSTR text, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu)
{
    const uintptr_t number = new_number();
    Window& window = *state().windows.emplace(number, std::make_unique<Window>()).first->second;
    window.handle = to_handle<HWND>(number);
    window.class_name = window_class.name;
    window.proc = window_class.proc;
    window.style = style;
    window.text = text != nullptr ? text : "";
    window.class_cursor = window_class.cursor;
    window.class_icon = window_class.icon;
    window.background = window_class.background;
    window.enabled = (style & WS_DISABLED) == 0;
    if ((style & WS_CHILD) != 0) {
        window.parent = parent;
        window.child_id = static_cast<int>(reinterpret_cast<INT_PTR>(menu));
        window.x = x;
        window.y = y;
        window.width = std::max(width, 0);
        window.height = std::max(height, 0);
        window.visible = (style & WS_VISIBLE) != 0;
        find_window(parent)->children.push_back(window.handle);
        return window;
    }
    window.owner = parent;
    window.menu = menu != nullptr ? menu : load_menu_resource(window_class.menu_name.c_str());
    // Until the pointer moves over a window, cursors are set for the first one.
    if (state().pointer_window == nullptr)
        state().pointer_window = window.handle;
    const bool placed = x != CW_USEDEFAULT;
    window.x = placed ? x : default_x;
    window.y = placed ? y : default_y;
    const QSize outer = width != CW_USEDEFAULT ? QSize(width, height) : QSize(default_width, default_height);
    const QMargins frame = frame_margins(style, window.menu != nullptr);
    const QSize client = outer.shrunkBy(frame).expandedTo(QSize(1, 1));
    window.width = client.width();
    window.height = client.height();
    window.surface = QImage(client, QImage::Format_RGB32);
    window.surface.fill(brush_colour(window.background));
    build_frame(window);
    if (placed)
        move_frame(window, QPoint(x, y));
    return window;
}

} // namespace

} // namespace win32_layer

using namespace win32_layer;

DWORD WINAPI GetVersion(void)
{
    return system_version;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* window_class)
{
    return window_class != nullptr ? add_class(*window_class) : 0;
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* window_class)
{
    // 48 is the structure's size for 32-bit Windows programs. The small icon is not shown.
    constexpr UINT size_on_32_bits = 48;
    if (window_class == nullptr ||
        (window_class->cbSize != sizeof(WNDCLASSEXA) && window_class->cbSize != size_on_32_bits))
        return 0;
    return add_class(*window_class); // the fields that WNDCLASSA shares
}

HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    const WindowClass* window_class = find_class(class_name);
    if (window_class == nullptr || ((style & WS_CHILD) != 0 && find_window(parent) == nullptr))
        return nullptr;
    const Window& window = make_window(*window_class, window_name, style, x, y, width, height, parent, menu);
    const HWND handle = window.handle;
    tell_hook_text(window);

    CREATESTRUCTA creation{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                           window_name, class_name, ex_style};
    const LRESULT created = SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&creation));
    if (find_window(handle) == nullptr)
        return nullptr;   // destroyed while being created
    if (created == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if ((style & (WS_CHILD | WS_VISIBLE)) == WS_VISIBLE)
        ShowWindow(handle, SW_SHOW);
    return handle;
}

BOOL WINAPI ShowWindow(HWND handle, int show_command)
{
    Window* window = find_window(handle);
    if (window == nullptr)
        return FALSE;
    const bool was_visible = window->visible;
    window->visible = show_command != SW_HIDE;
    if (window->parent != nullptr) {
        if (window->widget != nullptr)
            window->widget->setVisible(window->visible);
    } else {
        if (window->visible && !was_visible)
            invalidate(*window, QRect(), true);
        show_frame(*window, show_command);
    }
    return was_visible ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND handle)
{
    const Window* window = find_window(handle);
    if (window == nullptr)
        return FALSE;
    if (!window->update_region.isEmpty())
        SendMessageA(handle, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL WINAPI DestroyWindow(HWND handle)
{
    Window* window = find_window(handle);
    if (window == nullptr)
        return FALSE;
    if (window->destroying)
        return TRUE;
    window->destroying = true;
    LayerState& layer = state();

    // The windows it owns (dialogs) go first; their modal loops end with them.
    std::vector<HWND> owned;
    for (const auto& [number, other] : layer.windows) {
        if (other->owner == handle)
            owned.push_back(other->handle);
    }
    for (const HWND dialog : owned)
        DestroyWindow(dialog);

    if (window->parent == nullptr)
        show_frame(*window, SW_HIDE);
    SendMessageA(handle, WM_DESTROY, 0, 0);
    for (const HWND child : std::vector<HWND>(window->children))
        DestroyWindow(child);

    if (Window* parent = find_window(window->parent))
        std::erase(parent->children, handle);
    if (window->parent == nullptr)
        destroy_menu(window->menu);
    // The pointer is then over the window the destroyed one stood over, if any.
    if (layer.pointer_window == handle)
        layer.pointer_window = window->owner;
    layer.windows.erase(handle_number(handle));
    return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM, LPARAM lparam)
{
    Window* window = find_window(handle);
    if (window == nullptr)
        return 0;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(handle);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(handle, &paint);
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        if (window->background == nullptr)
            return 0;
        QPainter painter(&window->surface);
        painter.fillRect(window->surface.rect(), brush_colour(window->background));
        return 1;
    }
    case WM_SETTEXT:
        window->text = lparam != 0 ? reinterpret_cast<LPCSTR>(lparam) : "";
        tell_hook_text(*window);
        if (window->parent == nullptr)
            update_frame_title(*window);
        return TRUE;
    case WM_SETCURSOR:
        if (LOWORD(lparam) == HTCLIENT && window->class_cursor != nullptr) {
            SetCursor(window->class_cursor);
            return TRUE;
        }
        return FALSE;
    default:
        return 0;
    }
}

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect)
{
    const Window* window = find_window(handle);
    if (window == nullptr || rect == nullptr)
        return FALSE;
    *rect = RECT{0, 0, window->width, window->height};
    return TRUE;
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text)
{
    return SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id)
{
    const Window* parent = find_window(dialog);
    if (parent == nullptr)
        return nullptr;
    for (const HWND child : parent->children) {
        if (find_window(child)->child_id == id)
            return child;
    }
    return nullptr;
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SetWindowTextA(control, text) : FALSE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD)
{
    if (rect == nullptr)
        return FALSE;
    const QMargins frame = frame_margins(style, menu != FALSE);
    *rect = RECT{rect->left - frame.left(), rect->top - frame.top(), rect->right + frame.right(),
                 rect->bottom + frame.bottom()};
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND handle, HWND, int x, int y, int width, int height, UINT flags)
{
    // The z-order and activation stay as they are: the program has one main window.
    Window* window = find_window(handle);
    if (window == nullptr)
        return FALSE;
    const bool move = (flags & SWP_NOMOVE) == 0;
    const bool resize = (flags & SWP_NOSIZE) == 0;
    if (window->parent != nullptr) {
        // A child's rectangle is in its parent's client area.
        window->x = move ? x : window->x;
        window->y = move ? y : window->y;
        window->width = resize ? std::max(width, 0) : window->width;
        window->height = resize ? std::max(height, 0) : window->height;
        if (window->widget != nullptr)
            window->widget->setGeometry(window->x, window->y, window->width, window->height);
        return TRUE;
    }
    if (move)
        move_frame(*window, QPoint(x, y));
    if (resize) {
        const QMargins frame = frame_margins(window->style, window->menu != nullptr);
        resize_client(*window, QSize(width, height).shrunkBy(frame).expandedTo(QSize(1, 1)));
        fit_frame(*window);
    }
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND handle, const RECT* rect, BOOL erase)
{
    Window* window = find_window(handle);
    if (window == nullptr)
        return FALSE;
    if (window->parent != nullptr) {
        if (window->widget != nullptr)
            window->widget->update();
        return TRUE;
    }
    const QRect area = rect != nullptr ? QRect(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1))
                                       : QRect();
    invalidate(*window, area, erase != FALSE);
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND handle, LPPOINT point)
{
    const Window* window = find_window(handle);
    if (window == nullptr || point == nullptr)
        return FALSE;
    const QPoint origin = client_screen_origin(*window);
    *point = POINT{point->x - origin.x(), point->y - origin.y()};
    return TRUE;
}
