// platform/win32/images.h -- the Windows image files the program uses (.bmp bitmaps, .ico
// icons, .cur cursors), read through Qt's image readers.
#pragma once

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <optional>
#include <span>

namespace win32_layer {

// A .bmp file as an RGB32 image; a null image when the bytes are not one.
QImage read_bitmap(std::span<const uint8_t> bytes);

// The image of an .ico file whose size is closest to `size` (larger ones count as farther);
// a null image when the bytes are not an icon file.
QImage read_icon(std::span<const uint8_t> bytes, QSize size);

// `source` at `size`, each pixel taken from where it falls in the source: by a whole
// multiple every pixel becomes a block; nothing is blended.
QImage stretched(const QImage& source, QSize size);

struct CursorImage {
    QImage image;     // transparent where the cursor's mask leaves the screen as it is
    QPoint hot_spot;
};
// The first image of a .cur file with its hot spot, or nothing when the bytes are not one.
std::optional<CursorImage> read_cursor(std::span<const uint8_t> bytes);

} // namespace win32_layer
