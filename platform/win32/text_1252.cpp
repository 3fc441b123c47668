// platform/win32/text_1252.cpp -- Windows-1252 to Unicode and back.
#include "text_1252.h"

#include <array>
#include <cstdint>

namespace win32_layer {
namespace {

// Bytes 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (kept as C1 controls).
constexpr std::array<char16_t, 32> high_controls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t unicode_of(uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F && high_controls[byte - 0x80] != 0)
        return high_controls[byte - 0x80];
    return byte;
}

char byte_of(char16_t unit)
{
    if (unit < 0x100 && unicode_of(static_cast<uint8_t>(unit)) == unit)
        return static_cast<char>(unit);
    for (size_t index = 0; index < high_controls.size(); ++index) {
        if (high_controls[index] == unit)
            return static_cast<char>(0x80 + index);
    }
    return '?';
}

} // namespace

QString from_1252(std::string_view bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes)
        text.append(QChar(unicode_of(static_cast<uint8_t>(byte))));
    return text;
}

std::string to_1252(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text)
        bytes.push_back(byte_of(unit));
    return bytes;
}

} // namespace win32_layer
