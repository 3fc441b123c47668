// platform/win32/text_1252.h -- the program's texts are Windows-1252 bytes; Qt shows Unicode.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace win32_layer {

QString from_1252(std::string_view bytes);
// Characters outside the code page become '?'.
std::string to_1252(const QString& text);

} // namespace win32_layer
