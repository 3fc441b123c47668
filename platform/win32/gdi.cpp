// platform/win32/gdi.cpp -- device contexts, bitmaps, BitBlt, StretchBlt and TextOutA. A
// window's device context draws on the window's own surface, which its frame shows and which
// persists between paints; a memory device context draws on the bitmap selected into it.
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "fonts.h"
#include "images.h"
#include "layer_state.h"
#include "qt_frames.h"
#include "resource_images.h"
#include "text_1252.h"

namespace win32_layer {
namespace {

// Texts are black on white: the program never changes a device context's colours.
const QColor text_colour(0, 0, 0);
const QColor text_background(255, 255, 255);

HDC new_dc(DeviceContext dc)
{
    const uintptr_t number = new_number();
    dc.font = state().system_font;
    state().device_contexts[number] = dc;
    return to_handle<HDC>(number);
}

// The pixels a device context draws on, or nullptr.
QImage* target_of(const DeviceContext& dc)
{
    if (dc.memory) {
        Bitmap* bitmap = find_bitmap(dc.bitmap);
        return bitmap != nullptr ? &bitmap->image : nullptr;
    }
    Window* window = find_window(dc.window);
    return window != nullptr && !window->surface.isNull() ? &window->surface : nullptr;
}

void show_drawing(const DeviceContext& dc, bool now)
{
    if (Window* window = find_window(dc.window); window != nullptr && !dc.memory)
        present(*window, now);
}

bool release_dc(HDC handle)
{
    DeviceContext* dc = find_dc(handle);
    if (dc == nullptr)
        return false;
    if (Bitmap* bitmap = find_bitmap(dc->bitmap))
        bitmap->selections = std::max(bitmap->selections - 1, 0);
    if (Font* font = find_font(dc->font))
        font->selections = std::max(font->selections - 1, 0);
    show_drawing(*dc, true);
    state().device_contexts.erase(handle_number(handle));
    return true;
}

template <typename Object>
Object* find_object(HGDIOBJ handle);
template <>
Bitmap* find_object<Bitmap>(HGDIOBJ handle)
{
    return find_bitmap(handle);
}
template <>
Font* find_object<Font>(HGDIOBJ handle)
{
    return find_font(handle);
}

// Selects `object` into the slot `selected` of a device context, counting its selections.
template <typename Object>
HGDIOBJ select_into(HGDIOBJ& selected, Object& object, HGDIOBJ handle)
{
    if (handle == selected)
        return handle;
    if (Object* old = find_object<Object>(selected))
        old->selections = std::max(old->selections - 1, 0);
    object.selections += 1;
    return std::exchange(selected, handle);
}

// Copies the part (source_x, source_y, source_size) of the source's pixels to (x, y) at
// `size`; false when either device context has nothing to draw on.
bool copy_pixels(const DeviceContext& to, QPoint at, QSize size, const DeviceContext& from, QRect part)
{
    QImage* target = target_of(to);
    const QImage* origin = target_of(from);
    if (target == nullptr || origin == nullptr)
        return false;
    if (size.isEmpty() || part.isEmpty())
        return true;
    // A copy of the part, so that a copy within one image reads the pixels as they were.
    const QImage pixels = stretched(origin->copy(part), size);
    QPainter painter(target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(at, pixels);
    painter.end();
    show_drawing(to, false);
    return true;
}

} // namespace

} // namespace win32_layer

using namespace win32_layer;

HDC WINAPI GetDC(HWND window)
{
    if (find_window(window) == nullptr)
        return nullptr;
    DeviceContext dc;
    dc.window = window;
    return new_dc(dc);
}

int WINAPI ReleaseDC(HWND, HDC dc)
{
    const DeviceContext* context = find_dc(dc);
    if (context == nullptr || context->memory)
        return 0;
    return release_dc(dc) ? 1 : 0;
}

HDC WINAPI BeginPaint(HWND handle, LPPAINTSTRUCT paint)
{
    Window* window = find_window(handle);
    if (window == nullptr || paint == nullptr)
        return nullptr;
    *paint = PAINTSTRUCT{};
    DeviceContext dc;
    dc.window = handle;
    paint->hdc = new_dc(dc);
    const QRect region = window->update_region.isEmpty() ? QRect(QPoint(0, 0), client_size(*window))
                                                         : window->update_region;
    paint->rcPaint = RECT{region.left(), region.top(), region.right() + 1, region.bottom() + 1};
    const bool erase = window->erase_pending;
    window->update_region = QRect();
    window->erase_pending = false;
    if (erase)
        paint->fErase = SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0;
    return paint->hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* paint)
{
    return paint != nullptr && release_dc(paint->hdc) ? TRUE : FALSE;
}

HDC WINAPI CreateCompatibleDC(HDC dc)
{
    if (dc != nullptr && find_dc(dc) == nullptr)
        return nullptr;
    DeviceContext memory;
    memory.memory = true;
    memory.bitmap = state().stock_bitmap;
    return new_dc(memory);
}

BOOL WINAPI DeleteDC(HDC dc)
{
    return release_dc(dc) ? TRUE : FALSE;
}

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object)
{
    DeviceContext* dc = find_dc(handle);
    if (dc == nullptr)
        return nullptr;
    // A font into any device context; a bitmap into a memory device context, one at a time.
    if (Font* font = find_font(object))
        return select_into(dc->font, *font, object);
    Bitmap* bitmap = find_bitmap(object);
    if (bitmap == nullptr || !dc->memory || (bitmap->selections > 0 && !bitmap->stock && object != dc->bitmap))
        return nullptr;
    return select_into(dc->bitmap, *bitmap, object);
}

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* description)
{
    if (description == nullptr)
        return nullptr;
    const uintptr_t number = new_number();
    state().fonts[number].font = font_of(*description);
    return to_handle<HFONT>(number);
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    const auto delete_from = [object](auto& table) {
        const auto found = table.find(handle_number(object));
        if (found->second.stock)
            return TRUE;
        if (found->second.selections > 0)
            return FALSE;   // still selected into a device context
        table.erase(found);
        return TRUE;
    };
    if (find_bitmap(object) != nullptr)
        return delete_from(state().bitmaps);
    if (find_font(object) != nullptr)
        return delete_from(state().fonts);
    return FALSE;
}

int WINAPI GetObjectA(HANDLE object, int size, LPVOID buffer)
{
    const Bitmap* bitmap = find_bitmap(object);
    if (bitmap == nullptr || size < 0)
        return 0;
    if (buffer == nullptr)
        return static_cast<int>(sizeof(BITMAP));
    // A bitmap loaded for the screen has the screen's format: 32 bits per pixel.
    BITMAP record{};
    record.bmWidth = bitmap->image.width();
    record.bmHeight = bitmap->image.height();
    record.bmWidthBytes = bitmap->image.width() * 4;
    record.bmPlanes = 1;
    record.bmBitsPixel = 32;
    const size_t copied = std::min(static_cast<size_t>(size), sizeof(BITMAP));
    std::memcpy(buffer, &record, copied);
    return static_cast<int>(copied);
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE, LPCSTR name)
{
    QImage image = read_bitmap(bitmap_file(name));
    if (image.isNull())
        return nullptr;
    const uintptr_t number = new_number();
    state().bitmaps[number].image = std::move(image);
    return to_handle<HBITMAP>(number);
}

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                   DWORD raster_op)
{
    return StretchBlt(dest, x, y, width, height, source, source_x, source_y, width, height, raster_op);
}

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                       int source_width, int source_height, DWORD raster_op)
{
    const DeviceContext* to = find_dc(dest);
    const DeviceContext* from = find_dc(source);
    if (to == nullptr || from == nullptr || raster_op != SRCCOPY)
        return FALSE;
    // Sizes below zero would mirror the picture, which the program never asks for. Every
    // stretch mode takes the pixel a point falls on, as COLORONCOLOR does.
    return copy_pixels(*to, QPoint(x, y), QSize(width, height), *from,
                       QRect(source_x, source_y, source_width, source_height))
               ? TRUE
               : FALSE;
}

int WINAPI SetStretchBltMode(HDC handle, int mode)
{
    DeviceContext* dc = find_dc(handle);
    if (dc == nullptr || mode < BLACKONWHITE || mode > 4)
        return 0;
    return std::exchange(dc->stretch_mode, mode);
}

int WINAPI SetBkMode(HDC handle, int mode)
{
    DeviceContext* dc = find_dc(handle);
    if (dc == nullptr || (mode != OPAQUE && mode != TRANSPARENT))
        return 0;
    const int previous = dc->background_mode;
    dc->background_mode = mode;
    return previous;
}

BOOL WINAPI TextOutA(HDC handle, int x, int y, LPCSTR text, int length)
{
    const DeviceContext* dc = find_dc(handle);
    if (dc == nullptr || length < 0 || (text == nullptr && length > 0))
        return FALSE;
    if (const LayerHook* watcher = hook(); watcher != nullptr && !dc->memory)
        watcher->text_drawn(dc->window, x, y, text, length, QFontMetrics(find_font(dc->font)->font).height());
    QImage* target = target_of(*dc);
    if (target == nullptr)
        return TRUE;
    const QString shown = from_1252(std::string_view(text, static_cast<size_t>(length)));
    const QFont& font = find_font(dc->font)->font;
    const QFontMetrics metrics(font);
    QPainter painter(target);
    painter.setFont(font);
    if (dc->background_mode == OPAQUE)
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), text_background);
    painter.setPen(text_colour);
    painter.drawText(QPoint(x, y + metrics.ascent()), shown);
    painter.end();
    show_drawing(*dc, false);
    return TRUE;
}
