// platform/win32/dib_image.cpp -- device-independent bitmaps in .bmp, .ico and .cur files.
#include "dib_image.h"

#include <algorithm>
#include <cstring>

namespace win32_layer {
namespace {

constexpr size_t file_header_size = 14;
constexpr size_t info_header_size = 40;
constexpr uint32_t uncompressed = 0;
constexpr int largest_side = 8192;

uint16_t read_u16(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

uint32_t read_u32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

int32_t read_i32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<int32_t>(read_u32(bytes, at));
}

struct DibHeader {
    int width = 0;
    int height = 0;        // rows of the whole bitmap as written (icons: colour + mask)
    bool top_down = false;
    int bits_per_pixel = 0;
    std::vector<QRgb> palette;
    size_t size = 0;       // header and palette
};

std::optional<DibHeader> read_dib_header(std::span<const uint8_t> bytes)
{
    if (bytes.size() < info_header_size)
        return std::nullopt;
    const uint32_t header_size = read_u32(bytes, 0);
    if (header_size < info_header_size || header_size > bytes.size())
        return std::nullopt;
    DibHeader header;
    header.width = read_i32(bytes, 4);
    const int32_t height = read_i32(bytes, 8);
    header.top_down = height < 0;
    header.height = height < 0 ? -height : height;
    header.bits_per_pixel = read_u16(bytes, 14);
    const uint32_t compression = read_u32(bytes, 16);
    const uint32_t colours_used = read_u32(bytes, 32);
    if (header.width <= 0 || header.width > largest_side || header.height <= 0 || header.height > largest_side)
        return std::nullopt;
    if (compression != uncompressed)
        return std::nullopt;
    const int bpp = header.bits_per_pixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return std::nullopt;
    size_t colours = colours_used;
    if (colours == 0 && bpp <= 8)
        colours = size_t{1} << bpp;
    if (colours > 256)
        return std::nullopt;
    const size_t palette_end = header_size + 4 * colours;
    if (palette_end > bytes.size())
        return std::nullopt;
    for (size_t i = 0; i < colours; ++i) {
        const size_t at = header_size + 4 * i;
        header.palette.push_back(qRgb(bytes[at + 2], bytes[at + 1], bytes[at]));
    }
    header.size = palette_end;
    return header;
}

size_t row_stride(int width, int bits_per_pixel)
{
    return ((static_cast<size_t>(width) * bits_per_pixel + 31) / 32) * 4;
}

// The colour of pixel x of a row; `alpha` keeps the fourth byte of 32-bit pixels.
QRgb pixel_of(const uint8_t* row, int x, const DibHeader& header, bool alpha)
{
    auto from_palette = [&](unsigned index) {
        return index < header.palette.size() ? header.palette[index] : qRgb(0, 0, 0);
    };
    switch (header.bits_per_pixel) {
    case 1:
        return from_palette((row[x / 8] >> (7 - x % 8)) & 1u);
    case 4:
        return from_palette((row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu);
    case 8:
        return from_palette(row[x]);
    case 24:
        return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: {
        const uint8_t* p = row + 4 * x;
        return alpha ? qRgba(p[2], p[1], p[0], p[3]) : qRgb(p[2], p[1], p[0]);
    }
    }
}

// The first `rows` rows of the pixel array that starts at `offset`.
std::optional<QImage> read_pixels(std::span<const uint8_t> bytes, size_t offset, const DibHeader& header,
                                  int rows, bool alpha)
{
    const size_t stride = row_stride(header.width, header.bits_per_pixel);
    if (offset > bytes.size() || stride * static_cast<size_t>(rows) > bytes.size() - offset)
        return std::nullopt;
    QImage image(header.width, rows, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y) {
        const int stored_row = header.top_down ? y : rows - 1 - y;
        const uint8_t* row = bytes.data() + offset + stride * static_cast<size_t>(stored_row);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < header.width; ++x)
            line[x] = pixel_of(row, x, header, alpha);
    }
    return image;
}

} // namespace

std::optional<QImage> decode_bitmap_file(std::span<const uint8_t> bytes)
{
    std::span<const uint8_t> dib = bytes;
    std::optional<size_t> pixel_offset;
    if (bytes.size() >= file_header_size && bytes[0] == 'B' && bytes[1] == 'M') {
        dib = bytes.subspan(file_header_size);
        const uint32_t offset = read_u32(bytes, 10);
        if (offset < file_header_size)
            return std::nullopt;
        pixel_offset = offset - file_header_size;
    }
    const std::optional<DibHeader> header = read_dib_header(dib);
    if (!header)
        return std::nullopt;
    return read_pixels(dib, pixel_offset.value_or(header->size), *header, header->height, false);
}

std::vector<IconImage> read_icon_directory(std::span<const uint8_t> bytes, uint16_t type)
{
    constexpr size_t directory_size = 6;
    constexpr size_t entry_size = 16;
    std::vector<IconImage> images;
    if (bytes.size() < directory_size || read_u16(bytes, 0) != 0 || read_u16(bytes, 2) != type)
        return images;
    const uint16_t count = read_u16(bytes, 4);
    if (bytes.size() < directory_size + entry_size * count)
        return {};
    for (uint16_t i = 0; i < count; ++i) {
        const size_t at = directory_size + entry_size * i;
        IconImage image;
        image.width = bytes[at] == 0 ? 256 : bytes[at];
        image.height = bytes[at + 1] == 0 ? 256 : bytes[at + 1];
        if (type == cursor_file_type) {
            image.hot_x = read_u16(bytes, at + 4);
            image.hot_y = read_u16(bytes, at + 6);
        }
        const uint32_t size = read_u32(bytes, at + 8);
        const uint32_t offset = read_u32(bytes, at + 12);
        if (offset > bytes.size() || size > bytes.size() - offset)
            return {};
        image.data = bytes.subspan(offset, size);
        images.push_back(image);
    }
    return images;
}

std::optional<QImage> decode_icon_image(const IconImage& image)
{
    static constexpr uint8_t png_signature[] = {0x89, 'P', 'N', 'G'};
    if (image.data.size() >= 4 && std::memcmp(image.data.data(), png_signature, 4) == 0) {
        QImage png;
        if (!png.loadFromData(image.data.data(), static_cast<int>(image.data.size()), "PNG"))
            return std::nullopt;
        return png.convertToFormat(QImage::Format_ARGB32);
    }
    const std::optional<DibHeader> header = read_dib_header(image.data);
    // The stored height covers the colour bitmap and the mask below it.
    if (!header || header->height % 2 != 0)
        return std::nullopt;
    const int rows = header->height / 2;
    const bool alpha = header->bits_per_pixel == 32;
    std::optional<QImage> colour = read_pixels(image.data, header->size, *header, rows, alpha);
    if (!colour)
        return std::nullopt;
    QImage result = colour->convertToFormat(QImage::Format_ARGB32);

    const size_t colour_size = row_stride(header->width, header->bits_per_pixel) * static_cast<size_t>(rows);
    const size_t mask_offset = header->size + colour_size;
    const size_t mask_stride = row_stride(header->width, 1);
    if (mask_offset + mask_stride * static_cast<size_t>(rows) > image.data.size())
        return alpha ? std::optional<QImage>(result) : std::nullopt;
    for (int y = 0; y < rows; ++y) {
        const int stored_row = header->top_down ? y : rows - 1 - y;
        const uint8_t* mask = image.data.data() + mask_offset + mask_stride * static_cast<size_t>(stored_row);
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < header->width; ++x) {
            const bool transparent = ((mask[x / 8] >> (7 - x % 8)) & 1u) != 0;
            if (!transparent) {
                if (!alpha)
                    line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), 255);
                continue;
            }
            // AND 1 with a black colour leaves the screen as it is; with another colour
            // Windows inverts the screen, which a Qt cursor cannot do: shown black.
            const bool inverting = (line[x] & 0x00FFFFFFu) != 0 && !alpha;
            line[x] = inverting ? qRgba(0, 0, 0, 255) : qRgba(0, 0, 0, 0);
        }
    }
    return result;
}

} // namespace win32_layer
