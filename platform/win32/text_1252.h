// platform/win32/text_1252.h -- the program's texts are Windows-1252 bytes; Qt shows Unicode, and
// compiled resources hold UTF-16.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace win32_layer {

QString from_1252(std::string_view bytes);
// Unicode text as Windows-1252 bytes; a character the code page lacks becomes '?'.
std::string to_1252(std::u16string_view text);

} // namespace win32_layer
