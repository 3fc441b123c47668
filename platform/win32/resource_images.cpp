// platform/win32/resource_images.cpp -- file headers and directories around compiled images.
#include "resource_images.h"

#include <span>

#include "resources.h"

namespace win32_layer {
namespace {

constexpr uint32_t file_header_size = 14;
constexpr uint32_t core_header_size = 12;   // the old header, with 3-byte palette entries
constexpr uint32_t bitfields = 3;           // BI_BITFIELDS: three colour masks follow the header
constexpr uint32_t directory_header_size = 6;
constexpr uint32_t directory_entry_size = 16;

void put_u16(std::vector<uint8_t>& bytes, uint32_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void put_u32(std::vector<uint8_t>& bytes, uint32_t value)
{
    put_u16(bytes, value & 0xFFFF);
    put_u16(bytes, value >> 16);
}

// Where the pixels of a device-independent bitmap start: after its header, its colour
// masks and its palette.
uint32_t pixels_offset(std::span<const uint8_t> dib)
{
    ResourceReader header(dib);
    const uint32_t header_size = header.u32();
    if (header_size == core_header_size) {
        header.skip(6);   // width, height, planes
        const uint32_t bits = header.u16();
        return header_size + (bits <= 8 ? 3u << bits : 0);
    }
    header.skip(10);   // width, height, planes
    const uint32_t bits = header.u16();
    const uint32_t compression = header.u32();
    header.skip(12);   // image size, resolutions
    const uint32_t colours_used = header.u32();
    const uint32_t masks = compression == bitfields && header_size == 40 ? 12 : 0;
    const uint32_t colours = colours_used != 0 ? colours_used : bits <= 8 ? 1u << bits : 0;
    return header_size + masks + 4 * colours;
}

// An .ico or .cur file from a group resource: a directory of images, each entry naming its
// image resource by number. A cursor image starts with its hot spot.
std::vector<uint8_t> directory_file(LPCSTR name, bool cursors)
{
    ResourceReader group(find_resource(cursors ? cursor_group_type : icon_group_type, name));
    group.u16();
    const uint16_t kind = group.u16();
    const uint16_t count = group.u16();
    if (group.failed() || count == 0)
        return {};
    std::vector<uint8_t> file;
    put_u16(file, 0);
    put_u16(file, kind);
    put_u16(file, count);
    std::vector<std::span<const uint8_t>> images;
    uint32_t offset = directory_header_size + directory_entry_size * count;
    for (uint16_t index = 0; index < count; ++index) {
        // The file's entry: width, height, colours and a reserved byte, then an icon's planes
        // and depth or a cursor's hot spot, the image's size and its place in the file.
        uint32_t sizes = 0;
        uint32_t planes_or_hot_spot = 0;
        std::span<const uint8_t> image;
        if (cursors) {
            const uint32_t width = group.u16();
            const uint32_t height = group.u16() / 2;   // the colour plane and the mask, one above the other
            group.u16();                                // planes
            const uint32_t bits = group.u16();
            group.u32();                                // bytes in the resource
            const std::span<const uint8_t> data = find_resource(cursor_type, MAKEINTRESOURCE(group.u16()));
            ResourceReader hot_spot(data);
            planes_or_hot_spot = hot_spot.u32();
            if (hot_spot.failed())
                return {};
            image = data.subspan(4);
            sizes = (width & 0xFF) | (height & 0xFF) << 8 | (bits < 8 ? 1u << bits : 0) << 16;
        } else {
            sizes = group.u32();
            planes_or_hot_spot = group.u32();
            group.u32();                                // bytes in the resource
            image = find_resource(icon_type, MAKEINTRESOURCE(group.u16()));
        }
        if (group.failed() || image.empty())
            return {};
        put_u32(file, sizes);
        put_u32(file, planes_or_hot_spot);
        put_u32(file, static_cast<uint32_t>(image.size()));
        put_u32(file, offset);
        offset += static_cast<uint32_t>(image.size());
        images.push_back(image);
    }
    for (const std::span<const uint8_t> image : images)
        file.insert(file.end(), image.begin(), image.end());
    return file;
}

} // namespace

std::vector<uint8_t> bitmap_file(LPCSTR name)
{
    const std::span<const uint8_t> dib = find_resource(bitmap_type, name);
    if (dib.empty())
        return {};
    std::vector<uint8_t> file = {'B', 'M'};
    put_u32(file, file_header_size + static_cast<uint32_t>(dib.size()));
    put_u32(file, 0);
    put_u32(file, file_header_size + pixels_offset(dib));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

std::vector<uint8_t> icon_file(LPCSTR name)
{
    return directory_file(name, false);
}

std::vector<uint8_t> cursor_file(LPCSTR name)
{
    return directory_file(name, true);
}

} // namespace win32_layer
