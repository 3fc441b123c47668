// platform/win32/text_1252.h -- the program's texts are Windows-1252 bytes; Qt shows Unicode.
#pragma once

#include <QString>

#include <string_view>

namespace win32_layer {

QString from_1252(std::string_view bytes);

} // namespace win32_layer
