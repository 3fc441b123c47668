// platform/win32/images.cpp -- image files through Qt's readers; only a cursor's hot spot,
// which Qt does not report, is read here from the file's directory. And the stretching of
// images as Windows stretches pixels.
#include "images.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cstdlib>
#include <vector>

namespace win32_layer {
namespace {

constexpr uint16_t cursor_file_type = 2;
constexpr size_t directory_end = 6 + 16;   // the header and the first image's entry

uint16_t read_u16(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// Every image of an .ico or .cur file.
std::vector<QImage> read_icon_images(std::span<const uint8_t> bytes)
{
    QByteArray data(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    std::vector<QImage> images;
    for (int index = 0; index < reader.imageCount(); ++index) {
        if (!reader.jumpToImage(index))
            break;
        const QImage image = reader.read();
        if (!image.isNull())
            images.push_back(image.convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

} // namespace

QImage read_bitmap(std::span<const uint8_t> bytes)
{
    QImage image;
    if (!image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP"))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage read_icon(std::span<const uint8_t> bytes, QSize size)
{
    QImage best;
    int best_distance = 0;
    for (const QImage& image : read_icon_images(bytes)) {
        const int distance = std::abs(image.width() - size.width()) + std::abs(image.height() - size.height()) +
                             (image.width() > size.width() ? 1 : 0);
        if (best.isNull() || distance < best_distance) {
            best = image;
            best_distance = distance;
        }
    }
    return best;
}

QImage stretched(const QImage& source, QSize size)
{
    if (source.size() == size)
        return source;
    const QImage from = source.convertToFormat(QImage::Format_ARGB32);
    QImage result(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(from.constScanLine(y * from.height() / size.height()));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            out[x] = line[x * from.width() / size.width()];
    }
    return result;
}

std::optional<CursorImage> read_cursor(std::span<const uint8_t> bytes)
{
    if (bytes.size() < directory_end || read_u16(bytes, 0) != 0 || read_u16(bytes, 2) != cursor_file_type ||
        read_u16(bytes, 4) == 0)
        return std::nullopt;
    const std::vector<QImage> images = read_icon_images(bytes);
    if (images.empty())
        return std::nullopt;
    // The first directory entry holds the hot spot where an icon's holds its planes and depth.
    return CursorImage{images.front(), QPoint(read_u16(bytes, 10), read_u16(bytes, 12))};
}

} // namespace win32_layer
