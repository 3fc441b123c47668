// platform/win32/cursors.cpp -- cursors and icons: the standard cursors, cursor files
// (.cur: colour and AND masks, hot spot), icons from the resources, and SetCursor.
#include <QPixmap>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "dib_image.h"
#include "layer_state.h"
#include "qt_frames.h"
#include "resources.h"

namespace win32_layer {
namespace {

constexpr WORD arrow_id = 32512;
constexpr WORD cross_id = 32515;
constexpr int default_icon_size = 32;
constexpr uintmax_t largest_cursor_file = 1 << 20;

std::vector<uint8_t> read_file(const char* name)
{
    std::ifstream file(name, std::ios::binary);
    if (!file)
        return {};
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size <= 0 || static_cast<uintmax_t>(size) > largest_cursor_file)
        return {};
    file.seekg(0);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return {};
    return bytes;
}

// The image of the directory closest to the wanted size (larger ones count as farther).
const IconImage* closest_image(const std::vector<IconImage>& images, int width, int height)
{
    const IconImage* best = nullptr;
    int best_distance = 0;
    for (const IconImage& image : images) {
        const int distance = std::abs(image.width - width) + std::abs(image.height - height) +
                             (image.width > width ? 1 : 0);
        if (best == nullptr || distance < best_distance) {
            best = &image;
            best_distance = distance;
        }
    }
    return best;
}

HICON load_icon(LPCSTR name, int width, int height)
{
    if (IS_INTRESOURCE(name))
        return state().application_icon;
    const win32_resources::FileResource* resource = find_icon_resource(name);
    if (resource == nullptr)
        return nullptr;
    const std::vector<IconImage> images = read_icon_directory(resource->bytes, icon_file_type);
    const IconImage* chosen = closest_image(images, width, height);
    if (chosen == nullptr)
        return nullptr;
    std::optional<QImage> image = decode_icon_image(*chosen);
    if (!image)
        return nullptr;
    const uintptr_t number = new_number();
    CursorObject& icon = state().cursors[number];
    icon.kind = win32_test::CursorKind::none;
    icon.file = name;
    icon.image = std::move(*image);
    return to_handle<HICON>(number);
}

} // namespace

} // namespace win32_layer

using namespace win32_layer;

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    ensure_application();
    if (instance != nullptr || !IS_INTRESOURCE(name))
        return nullptr;   // the program has no cursor resources of its own to load by name
    const WORD id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    if (id == cross_id)
        return state().cross_cursor;
    if (id == arrow_id)
        return state().arrow_cursor;
    return nullptr;
}

HCURSOR WINAPI LoadCursorFromFileA(LPCSTR file_name)
{
    ensure_application();
    if (file_name == nullptr)
        return nullptr;
    const std::vector<uint8_t> bytes = read_file(file_name);
    const std::vector<IconImage> images = read_icon_directory(bytes, cursor_file_type);
    if (images.empty())
        return nullptr;
    const IconImage& first = images.front();
    std::optional<QImage> image = decode_icon_image(first);
    if (!image)
        return nullptr;
    const uintptr_t number = new_number();
    CursorObject& cursor = state().cursors[number];
    cursor.kind = win32_test::CursorKind::from_file;
    cursor.file = file_name;
    cursor.hot_spot = POINT{first.hot_x, first.hot_y};
    cursor.image = std::move(*image);
    cursor.cursor = QCursor(QPixmap::fromImage(cursor.image), first.hot_x, first.hot_y);
    return to_handle<HCURSOR>(number);
}

HCURSOR WINAPI SetCursor(HCURSOR cursor)
{
    LayerState& layer = state();
    const HCURSOR previous = layer.current_cursor;
    layer.current_cursor = cursor;
    layer.cursor_was_set = true;
    apply_cursor(cursor);
    return previous;
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name)
{
    ensure_application();
    return load_icon(name, default_icon_size, default_icon_size);
}

HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT)
{
    ensure_application();
    switch (type) {
    case IMAGE_ICON:
        return load_icon(name, width > 0 ? width : default_icon_size, height > 0 ? height : default_icon_size);
    case IMAGE_BITMAP:
        return LoadBitmapA(instance, name);
    default:
        return nullptr;
    }
}
