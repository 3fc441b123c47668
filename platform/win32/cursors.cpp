// platform/win32/cursors.cpp -- cursors and icons: the standard cursors, cursor files and
// resources, icon resources, SetCursor and the pointer's position.
#include <QPixmap>

#include <fstream>
#include <iterator>
#include <vector>

#include "images.h"
#include "layer_state.h"
#include "qt_frames.h"
#include "resource_images.h"

namespace win32_layer {
namespace {

constexpr WORD arrow_id = 32512;
constexpr WORD cross_id = 32515;
constexpr int default_icon_size = 32;
constexpr std::streamoff largest_cursor_file = 1 << 20;

std::vector<uint8_t> read_file(const char* name)
{
    std::ifstream file(name, std::ios::binary | std::ios::ate);
    if (!file || file.tellg() > largest_cursor_file)
        return {};
    file.seekg(0);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

HICON load_icon(LPCSTR name, QSize size)
{
    QImage image = read_icon(icon_file(name), size);
    if (image.isNull())
        return nullptr;
    const uintptr_t number = new_number();
    state().cursors[number].image = std::move(image);
    return to_handle<HICON>(number);
}

// A cursor of the .cur file `bytes`, stretched with its hot spot to `size`, whose zero
// width or height is the file's own; `file` names the file it was read from, if any.
HCURSOR new_cursor(const std::vector<uint8_t>& bytes, const char* file, QSize size = QSize(0, 0))
{
    const std::optional<CursorImage> read = read_cursor(bytes);
    if (!read)
        return nullptr;
    const QSize own = read->image.size();
    const QSize shown(size.width() > 0 ? size.width() : own.width(), size.height() > 0 ? size.height() : own.height());
    const QPoint hot_spot(read->hot_spot.x() * shown.width() / own.width(),
                          read->hot_spot.y() * shown.height() / own.height());
    const uintptr_t number = new_number();
    CursorObject& cursor = state().cursors[number];
    cursor.cursor = QCursor(QPixmap::fromImage(stretched(read->image, shown)), hot_spot.x(), hot_spot.y());
    cursor.file = file;
    return to_handle<HCURSOR>(number);
}

} // namespace

} // namespace win32_layer

using namespace win32_layer;

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    // The system's cursors by number, or the program's own cursor resources.
    if (instance != nullptr)
        return new_cursor(cursor_file(name), "");
    if (!IS_INTRESOURCE(name))
        return nullptr;
    const WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    if (id == cross_id)
        return state().cross_cursor;
    if (id == arrow_id)
        return state().arrow_cursor;
    return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor)
{
    const HCURSOR previous = state().current_cursor;
    state().current_cursor = cursor;
    apply_cursor(cursor);
    return previous;
}

BOOL WINAPI GetCursorPos(LPPOINT point)
{
    if (point == nullptr)
        return FALSE;
    const QPoint position = QCursor::pos();
    *point = POINT{position.x(), position.y()};
    return TRUE;
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name)
{
    return load_icon(name, QSize(default_icon_size, default_icon_size));
}

HANDLE WINAPI LoadImageA(HINSTANCE, LPCSTR name, UINT type, int width, int height, UINT load_flags)
{
    // Icon resources (the small icon of the window class) and cursor files.
    if (type == IMAGE_CURSOR && (load_flags & LR_LOADFROMFILE) != 0 && name != nullptr)
        return new_cursor(read_file(name), name, QSize(width, height));
    if (type != IMAGE_ICON)
        return nullptr;
    return load_icon(name, QSize(width > 0 ? width : default_icon_size, height > 0 ? height : default_icon_size));
}
