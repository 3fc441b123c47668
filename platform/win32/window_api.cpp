// platform/win32/window_api.cpp -- window classes, window creation and destruction, the
// default window procedure, window texts and geometry.
#include <QCursor>
#include <QPainter>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "controls.h"
#include "layer_state.h"
#include "menu_bar.h"
#include "qt_frames.h"
#include "window_ops.h"

namespace win32_layer {
namespace {

constexpr uintptr_t instance_number = 0x400000;
// Windows XP (NT 5.1, build 2600): the high bit is clear, as on every NT system.
constexpr DWORD system_version = 0x0A280105;
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

ATOM add_class(WindowClass window_class)
{
    auto& classes = state().classes;
    const std::string key = lower_case(window_class.name.c_str());
    if (window_class.proc == nullptr || window_class.name.empty() || classes.count(key) != 0)
        return 0;
    window_class.atom = static_cast<ATOM>(first_atom + classes.size());
    const ATOM atom = window_class.atom;
    classes.emplace(key, std::move(window_class));
    return atom;
}

WindowClass class_of(const WNDCLASSA& source)
{
    WindowClass made;
    made.name = source.lpszClassName != nullptr && !IS_INTRESOURCE(source.lpszClassName) ? source.lpszClassName : "";
    made.style = source.style;
    made.proc = source.lpfnWndProc;
    made.icon = source.hIcon;
    made.cursor = source.hCursor;
    made.background = source.hbrBackground;
    if (source.lpszMenuName != nullptr && !IS_INTRESOURCE(source.lpszMenuName))
        made.menu_name = source.lpszMenuName;
    return made;
}

QColor system_colour(int index)
{
    switch (index) {
    case 1:  // COLOR_BACKGROUND
        return QColor(0, 128, 128);
    case 4:  // COLOR_MENU
    case 15: // COLOR_BTNFACE
        return QColor(192, 192, 192);
    case 8:  // COLOR_WINDOWTEXT
        return QColor(0, 0, 0);
    case 12: // COLOR_APPWORKSPACE
        return QColor(128, 128, 128);
    default: // COLOR_WINDOW and the rest
        return QColor(255, 255, 255);
    }
}

void destroy_widgets(Window& window)
{
    if (window.control_widget != nullptr) {
        window.control_widget->hide();
        window.control_widget->deleteLater();
    }
    window.frame.reset();
}

} // namespace

QColor brush_colour(HBRUSH brush)
{
    const uintptr_t value = handle_number(brush);
    if (value >= 1 && value <= 31)
        return system_colour(static_cast<int>(value - 1));
    return QColor(255, 255, 255);
}

void register_layer_class(const char* name, WNDPROC proc, HBRUSH background)
{
    WindowClass made;
    made.name = name;
    made.proc = proc;
    made.cursor = state().arrow_cursor;
    made.background = background;
    add_class(std::move(made));
}

void invalidate(Window& window, QRect area, bool erase)
{
    const QRect client(QPoint(0, 0), client_size(window));
    const QRect part = area.isEmpty() ? client : area.intersected(client);
    if (part.isEmpty())
        return;
    window.update_region = window.update_region.united(part);
    window.erase_pending = window.erase_pending || erase;
}

void resize_client(Window& window, QSize size)
{
    if (size == window.surface.size() || size.isEmpty())
        return;
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(brush_colour(window.background));
    QPainter painter(&grown);
    painter.drawImage(0, 0, window.surface);
    painter.end();
    window.surface = grown;
    window.width = size.width();
    window.height = size.height();
    invalidate(window, QRect(), true);
}

void set_window_text(Window& window, const std::string& text)
{
    window.text = text;
    if (window.parent == nullptr) {
        update_frame_title(window);
        return;
    }
    if (Window* parent = find_any_window(window.parent))
        parent->control_texts[window.child_id].push_back(text);
    update_control_widget(window);
    show_control_now(window);
}

} // namespace win32_layer

using namespace win32_layer;

DWORD WINAPI GetVersion(void)
{
    return system_version;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR module_name)
{
    return module_name == nullptr ? to_handle<HMODULE>(instance_number) : nullptr;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* window_class)
{
    if (window_class == nullptr)
        return 0;
    ensure_application();
    return add_class(class_of(*window_class));
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* window_class)
{
    // 48 is the structure's size for 32-bit Windows programs.
    constexpr UINT size_on_32_bits = 48;
    if (window_class == nullptr ||
        (window_class->cbSize != sizeof(WNDCLASSEXA) && window_class->cbSize != size_on_32_bits))
        return 0;
    ensure_application();
    const WNDCLASSA plain{window_class->style,        window_class->lpfnWndProc, window_class->cbClsExtra,
                          window_class->cbWndExtra,   window_class->hInstance,   window_class->hIcon,
                          window_class->hCursor,      window_class->hbrBackground, window_class->lpszMenuName,
                          window_class->lpszClassName};
    WindowClass made = class_of(plain);
    made.small_icon = window_class->hIconSm;
    return add_class(std::move(made));
}

HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    ensure_application();
    LayerState& layer = state();
    const WindowClass* window_class = find_class(class_name);
    if (window_class == nullptr)
        return nullptr;
    const bool child = (style & WS_CHILD) != 0;
    Window* parent_window = find_window(parent);
    if (child && parent_window == nullptr)
        return nullptr;

    const uintptr_t number = new_number();
    const HWND handle = to_handle<HWND>(number);
    auto made = std::make_unique<Window>();
    Window& window = *made;
    window.handle = handle;
    window.class_name = window_class->name;
    window.proc = window_class->proc;
    window.style = style;
    window.text = window_name != nullptr ? window_name : "";
    window.class_cursor = window_class->cursor;
    window.class_icon = window_class->icon;
    window.background = window_class->background;
    window.class_style = window_class->style;
    window.enabled = (style & WS_DISABLED) == 0;
    if (child) {
        window.parent = parent;
        window.child_id = static_cast<int>(reinterpret_cast<INT_PTR>(menu));
        window.x = x == CW_USEDEFAULT ? 0 : x;
        window.y = y == CW_USEDEFAULT ? 0 : y;
        window.width = width == CW_USEDEFAULT ? 0 : std::max(width, 0);
        window.height = height == CW_USEDEFAULT ? 0 : std::max(height, 0);
        window.control = control_kind_of(window.class_name, style);
        if (window.control == ControlKind::icon)
            prepare_icon_control(window);
    } else {
        window.owner = parent;
        window.menu = menu != nullptr ? menu : load_menu_resource(window_class->menu_name.c_str());
        // Without a position the window goes where the system puts new windows.
        window.x = x == CW_USEDEFAULT ? default_x : x;
        window.y = x == CW_USEDEFAULT ? default_y : y;
        const int outer_width = width == CW_USEDEFAULT ? default_width : width;
        const int outer_height = width == CW_USEDEFAULT ? default_height : height;
        window.width = std::max(outer_width - frame_extra_width, 1);
        window.height = std::max(outer_height - frame_extra_height, 1);
        window.surface = QImage(window.width, window.height, QImage::Format_RGB32);
        window.surface.fill(brush_colour(window.background));
    }
    layer.windows.emplace(number, std::move(made));
    if (!child && layer.main_window == nullptr)
        layer.main_window = handle;

    if (child) {
        parent_window->children.push_back(handle);
        parent_window->control_texts[window.child_id].push_back(window.text);
        window.visible = (style & WS_VISIBLE) != 0;
        build_control_widget(window, *parent_window);
    } else {
        build_frame(window);
        if (!layer.test_mode && x != CW_USEDEFAULT)
            window.frame->move(x, y);
    }

    CREATESTRUCTA creation{param,  instance, menu,         parent,     height,     width,
                           y,      x,        static_cast<LONG>(style), window_name, class_name, ex_style};
    const LRESULT created = SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&creation));
    if (find_window(handle) == nullptr)
        return nullptr;   // destroyed while being created
    if (created == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if (!child && (style & WS_VISIBLE) != 0)
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
        if (window->control_widget != nullptr)
            window->control_widget->setVisible(window->visible);
    } else {
        if (window->visible && !was_visible)
            invalidate(*window, QRect(), true);
        show_frame(*window, show_command);
    }
    return was_visible ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND handle)
{
    Window* window = find_window(handle);
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

    // Dialogs owned by the window go first.
    std::vector<HWND> owned;
    for (auto& [number, other] : layer.windows) {
        if (!other->destroyed && other->owner == handle)
            owned.push_back(other->handle);
    }
    for (const HWND dialog : owned) {
        if (Window* owned_window = find_window(dialog)) {
            owned_window->dialog_ended = true;
            DestroyWindow(dialog);
        }
    }

    if (window->parent == nullptr)
        show_frame(*window, SW_HIDE);
    SendMessageA(handle, WM_DESTROY, 0, 0);
    const std::vector<HWND> children = window->children;
    for (const HWND child : children)
        DestroyWindow(child);
    SendMessageA(handle, WM_NCDESTROY, 0, 0);

    window->destroyed = true;
    window->visible = false;
    window->update_region = QRect();
    destroy_widgets(*window);
    if (layer.pointer_window == handle)
        layer.pointer_window = nullptr;
    return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
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
        set_window_text(*window, lparam != 0 ? reinterpret_cast<LPCSTR>(lparam) : "");
        return TRUE;
    case WM_GETTEXT: {
        if (wparam == 0 || lparam == 0)
            return 0;
        const size_t copied = std::min<size_t>(window->text.size(), wparam - 1);
        std::memcpy(reinterpret_cast<char*>(lparam), window->text.data(), copied);
        reinterpret_cast<char*>(lparam)[copied] = '\0';
        return static_cast<LRESULT>(copied);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
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

BOOL WINAPI InvalidateRect(HWND handle, const RECT* rect, BOOL erase)
{
    const QRect area = rect == nullptr ? QRect()
                                       : QRect(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1));
    if (handle == nullptr) {
        for (auto& [number, window] : state().windows) {
            if (!window->destroyed && window->parent == nullptr)
                invalidate(*window, area, erase != FALSE);
        }
        return TRUE;
    }
    Window* window = find_window(handle);
    if (window == nullptr)
        return FALSE;
    if (rect != nullptr && area.isEmpty())
        return TRUE;
    invalidate(*window, area, erase != FALSE);
    return TRUE;
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text)
{
    if (find_window(handle) == nullptr)
        return FALSE;
    return SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id)
{
    const Window* parent = find_window(dialog);
    if (parent == nullptr)
        return nullptr;
    for (const HWND child : parent->children) {
        const Window* control = find_window(child);
        if (control != nullptr && control->child_id == id)
            return child;
    }
    return nullptr;
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SetWindowTextA(control, text) : FALSE;
}

BOOL WINAPI GetWindowPlacement(HWND handle, WINDOWPLACEMENT* placement)
{
    const Window* window = find_window(handle);
    if (window == nullptr || placement == nullptr)
        return FALSE;
    placement->flags = 0;
    placement->showCmd = SW_SHOWNORMAL;
    if (window->frame != nullptr && window->frame->isMaximized())
        placement->showCmd = SW_SHOWMAXIMIZED;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    if (window->parent != nullptr) {
        placement->rcNormalPosition = RECT{window->x, window->y, window->x + window->width, window->y + window->height};
        return TRUE;
    }
    // The outer corner lies at a fixed distance from the client area, whatever frame the
    // window system really draws, so that client positions can be worked out from it.
    const QPoint client = client_screen_origin(*window);
    const LONG left = client.x() - frame_left;
    const LONG top = client.y() - frame_top;
    placement->rcNormalPosition =
        RECT{left, top, left + window->width + frame_extra_width, top + window->height + frame_extra_height};
    return TRUE;
}

BOOL WINAPI GetCursorPos(LPPOINT point)
{
    if (point == nullptr)
        return FALSE;
    if (state().test_mode) {
        *point = state().pointer;
    } else {
        const QPoint position = QCursor::pos();
        *point = POINT{position.x(), position.y()};
    }
    return TRUE;
}
