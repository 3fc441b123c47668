// platform/win32/dib_image.h -- reading the Windows image files the program uses: 16-colour
// .bmp bitmaps, and the images of .ico and .cur files with their masks and hot spots.
#pragma once

#include <QImage>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace win32_layer {

// A .bmp file (or a packed bitmap without its file header): 1, 4, 8, 24 or 32 bits per
// pixel, uncompressed. Gives an RGB32 image, or nothing when the bytes are not such a file.
std::optional<QImage> decode_bitmap_file(std::span<const uint8_t> bytes);

struct IconImage {
    int width = 0;
    int height = 0;
    int hot_x = 0;   // cursors only
    int hot_y = 0;
    std::span<const uint8_t> data;
};

constexpr uint16_t icon_file_type = 1;
constexpr uint16_t cursor_file_type = 2;

// The images listed in an .ico (type 1) or .cur (type 2) file; empty when the file is
// malformed or of the other type.
std::vector<IconImage> read_icon_directory(std::span<const uint8_t> bytes, uint16_t type);

// One image of such a file as ARGB32: the colour bitmap where its AND mask is 0, transparent
// where it is 1 (screen-inverting pixels are shown black). PNG images are read too.
std::optional<QImage> decode_icon_image(const IconImage& image);

} // namespace win32_layer
