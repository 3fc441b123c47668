// platform/win32/resources.cpp -- the entries of the .res file and their look-up.
#include "resources.h"

#include <cctype>

#include "text_1252.h"

namespace win32_layer {
namespace {

constexpr uint16_t ordinal_mark = 0xFFFF;
constexpr size_t res_alignment = 4;

std::string ordinal_name(uint16_t number)
{
    std::string name(1, '#');
    return name += std::to_string(number);
}

// Case-insensitive comparison of ASCII names.
bool same_name(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

} // namespace

uint16_t ResourceReader::u16()
{
    if (failed_ || at_ + 2 > bytes_.size()) {
        failed_ = true;
        return 0;
    }
    const auto value = static_cast<uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
    at_ += 2;
    return value;
}

uint32_t ResourceReader::u32()
{
    const uint32_t low = u16();
    return low | (static_cast<uint32_t>(u16()) << 16);
}

std::string ResourceReader::text()
{
    std::u16string text;
    for (char16_t unit = u16(); unit != 0 && !failed_; unit = u16())
        text.push_back(unit);
    return to_1252(text);
}

std::string ResourceReader::name()
{
    if (at_ + 2 <= bytes_.size() && bytes_[at_] == 0xFF && bytes_[at_ + 1] == 0xFF) {
        skip(2);
        return ordinal_name(u16());
    }
    return text();
}

void ResourceReader::skip(size_t count)
{
    if (failed_ || at_ + count > bytes_.size())
        failed_ = true;
    else
        at_ += count;
}

void ResourceReader::align(size_t boundary)
{
    skip((boundary - at_ % boundary) % boundary);
}

std::span<const uint8_t> find_resource(uint16_t type, LPCSTR name)
{
    return find_resource_in(win32_resources::res_file, type, name);
}

std::span<const uint8_t> find_resource_in(std::span<const uint8_t> file, uint16_t type, LPCSTR name)
{
    if (name == nullptr)
        return {};
    const std::string wanted = IS_INTRESOURCE(name) ? ordinal_name(LOWORD(name)) : std::string(name);
    const std::string wanted_type = ordinal_name(type);
    // Each entry: data size, header size, type, name, then fields the look-up does not need;
    // its data follows the header and the next entry starts on a 4-byte boundary. A header
    // shorter than the fields read from it is damage (with no data, the look-up would
    // never move on).
    for (size_t at = 0; at < file.size();) {
        ResourceReader header(file, at);
        const uint32_t data_size = header.u32();
        const uint32_t header_size = header.u32();
        const std::string entry_type = header.name();
        const std::string entry_name = header.name();
        if (header.failed() || header_size < header.position() - at || header_size > file.size() - at ||
            data_size > file.size() - at - header_size)
            return {};
        if (entry_type == wanted_type && same_name(entry_name.c_str(), wanted.c_str()))
            return file.subspan(at + header_size, data_size);
        at += header_size + data_size;
        at += (res_alignment - at % res_alignment) % res_alignment;
    }
    return {};
}

} // namespace win32_layer
