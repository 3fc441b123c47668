// platform/win32/resources.h -- the program's resources as the resource compiler wrote them
// (a .res file), linked into the program, and looked up by type and name as on Windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

namespace win32_resources {

// The bytes of the program's .res file; its build links them in
// (cmake/compiled_resources.cmake), as the Windows build links the compiled script.
extern const std::span<const uint8_t> res_file;

} // namespace win32_resources

namespace win32_layer {

// Resource types, by their numbers in a .res file.
enum ResourceType : uint16_t {
    cursor_type = 1,
    bitmap_type = 2,
    icon_type = 3,
    menu_type = 4,
    dialog_type = 5,
    cursor_group_type = 12,
    icon_group_type = 14,
};

// The data of the resource of `type` named `name`: a string, compared without regard to
// case, or a number (MAKEINTRESOURCE, or a string "#N"). Empty when there is none.
std::span<const uint8_t> find_resource(uint16_t type, LPCSTR name);
// The same in the bytes of a .res file; empty too when the entries before it are damaged.
std::span<const uint8_t> find_resource_in(std::span<const uint8_t> file, uint16_t type, LPCSTR name);

// Reads the little-endian fields of a resource in order. Past the end it reads zeros and
// marks itself failed, so that a damaged resource is refused, never read out of bounds.
class ResourceReader {
public:
    explicit ResourceReader(std::span<const uint8_t> bytes, size_t at = 0) : bytes_(bytes), at_(at) {}
    uint16_t u16();
    uint32_t u32();
    int16_t i16() { return static_cast<int16_t>(u16()); }
    // A UTF-16 text ending with a zero, as Windows-1252 bytes.
    std::string text();
    // A text, or a number stored as 0xFFFF and the number, which reads "#N".
    std::string name();
    void skip(size_t count);
    void align(size_t boundary);
    size_t position() const { return at_; }
    bool failed() const { return failed_; }

private:
    std::span<const uint8_t> bytes_;
    size_t at_;
    bool failed_ = false;
};

} // namespace win32_layer
