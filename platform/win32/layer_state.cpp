// platform/win32/layer_state.cpp -- the layer's object tables.
#include "layer_state.h"

#include <QPainter>

#include "fonts.h"

namespace win32_layer {
namespace {

const LayerHook* installed_hook = nullptr;

HCURSOR make_standard_cursor(Qt::CursorShape shape)
{
    const uintptr_t number = new_number();
    state().cursors[number].cursor = QCursor(shape);
    return to_handle<HCURSOR>(number);
}

QColor system_colour(int index)
{
    switch (index) {
    case 15: // COLOR_BTNFACE
        return QColor(192, 192, 192);
    default: // COLOR_WINDOW and the rest
        return QColor(255, 255, 255);
    }
}

} // namespace

LayerState& state()
{
    static LayerState instance;
    return instance;
}

void reset_state()
{
    LayerState& layer = state();
    layer = LayerState{};
    layer.cross_cursor = make_standard_cursor(Qt::CrossCursor);
    layer.arrow_cursor = make_standard_cursor(Qt::ArrowCursor);
    const uintptr_t bitmap = new_number();
    Bitmap& stock = layer.bitmaps[bitmap];
    stock.image = QImage(1, 1, QImage::Format_RGB32);
    stock.image.fill(qRgb(0, 0, 0));
    stock.stock = true;
    layer.stock_bitmap = to_handle<HGDIOBJ>(bitmap);
    const uintptr_t font = new_number();
    layer.fonts[font] = Font{system_font(), true, 0};
    layer.system_font = to_handle<HGDIOBJ>(font);
}

const LayerHook* hook()
{
    return installed_hook;
}

void set_hook(const LayerHook* hook)
{
    installed_hook = hook;
}

uintptr_t new_number()
{
    LayerState& layer = state();
    layer.next_number += 4;
    return layer.next_number;
}

namespace {
template <typename Object>
Object* find_in(std::map<uintptr_t, Object>& table, uintptr_t number)
{
    const auto found = table.find(number);
    return found == table.end() ? nullptr : &found->second;
}
} // namespace

Window* find_window(HWND handle)
{
    auto& windows = state().windows;
    const auto found = windows.find(handle_number(handle));
    return found == windows.end() ? nullptr : found->second.get();
}

Menu* find_menu(HMENU handle)
{
    return find_in(state().menus, handle_number(handle));
}

Bitmap* find_bitmap(HGDIOBJ handle)
{
    return find_in(state().bitmaps, handle_number(handle));
}

Font* find_font(HGDIOBJ handle)
{
    return find_in(state().fonts, handle_number(handle));
}

DeviceContext* find_dc(HDC handle)
{
    return find_in(state().device_contexts, handle_number(handle));
}

CursorObject* find_cursor(HCURSOR handle)
{
    return find_in(state().cursors, handle_number(handle));
}

QMargins frame_margins(DWORD style, bool menu)
{
    constexpr int border = 2;
    constexpr int caption = 19;
    constexpr int menu_bar = 19;
    if ((style & WS_CHILD) != 0)
        return QMargins();
    const int top = border + ((style & WS_CAPTION) == WS_CAPTION ? caption : 0) + (menu ? menu_bar : 0);
    return QMargins(border, top, border, border);
}

Window* top_level_of(Window& window)
{
    Window* current = &window;
    while (Window* parent = find_window(current->parent))
        current = parent;
    return current;
}

QPoint client_screen_origin(const Window& window)
{
    if (window.client_widget != nullptr && window.client_widget->isVisible())
        return window.client_widget->mapToGlobal(QPoint(0, 0));
    if (const Window* parent = find_window(window.parent))
        return client_screen_origin(*parent) + QPoint(window.x, window.y);
    const QMargins frame = frame_margins(window.style, window.menu != nullptr);
    return QPoint(window.x + frame.left(), window.y + frame.top());
}

QSize client_size(const Window& window)
{
    return QSize(window.width, window.height);
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

QColor brush_colour(HBRUSH brush)
{
    const uintptr_t value = handle_number(brush);
    if (value >= 1 && value <= 31)
        return system_colour(static_cast<int>(value - 1));
    return QColor(255, 255, 255);
}

} // namespace win32_layer
