// platform/win32/gdi.cpp -- device contexts, bitmaps, BitBlt and TextOutA. A window's device
// context draws on the window's own surface, which its frame shows and which persists
// between paints; a memory device context draws on the bitmap selected into it.
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <string>

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
    show_drawing(*dc, true);
    state().device_contexts.erase(handle_number(handle));
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
    Bitmap* bitmap = find_bitmap(object);
    // Only bitmaps are selected, into memory device contexts, one device context at a time.
    if (dc == nullptr || bitmap == nullptr || !dc->memory)
        return nullptr;
    if (object == dc->bitmap)
        return object;
    if (bitmap->selections > 0 && !bitmap->stock)
        return nullptr;
    const HGDIOBJ previous = dc->bitmap;
    if (Bitmap* old = find_bitmap(previous))
        old->selections = std::max(old->selections - 1, 0);
    bitmap->selections += 1;
    dc->bitmap = object;
    return previous;
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    const Bitmap* bitmap = find_bitmap(object);
    if (bitmap == nullptr)
        return FALSE;
    if (bitmap->stock)
        return TRUE;
    if (bitmap->selections > 0)
        return FALSE;   // still selected into a device context
    state().bitmaps.erase(handle_number(object));
    return TRUE;
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
    const DeviceContext* to = find_dc(dest);
    const DeviceContext* from = find_dc(source);
    if (to == nullptr || from == nullptr || raster_op != SRCCOPY)
        return FALSE;
    QImage* target = target_of(*to);
    const QImage* origin = target_of(*from);
    if (target == nullptr || origin == nullptr)
        return FALSE;
    if (width <= 0 || height <= 0)
        return TRUE;
    // A copy of the part, so that a copy within one image reads the pixels as they were.
    const QImage pixels = origin->copy(source_x, source_y, width, height);
    QPainter painter(target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(x, y), pixels);
    painter.end();
    show_drawing(*to, false);
    return TRUE;
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
        watcher->text_drawn(dc->window, x, y, text, length);
    QImage* target = target_of(*dc);
    if (target == nullptr)
        return TRUE;
    const QString shown = from_1252(std::string_view(text, static_cast<size_t>(length)));
    const QFontMetrics metrics(system_font());
    QPainter painter(target);
    painter.setFont(system_font());
    if (dc->background_mode == OPAQUE)
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(shown), metrics.height()), text_background);
    painter.setPen(text_colour);
    painter.drawText(QPoint(x, y + metrics.ascent()), shown);
    painter.end();
    show_drawing(*dc, false);
    return TRUE;
}
