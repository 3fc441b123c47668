// platform/win32/resources.cpp -- resource look-up by name.
#include "resources.h"

#include <cctype>
#include <span>

namespace win32_layer {
namespace {

template <typename Resource>
const Resource* find_by_name(std::span<const Resource> resources, LPCSTR name)
{
    // Resources are named by strings here; numbered ones do not exist.
    if (name == nullptr || IS_INTRESOURCE(name))
        return nullptr;
    for (const Resource& resource : resources) {
        if (same_name(resource.name, name))
            return &resource;
    }
    return nullptr;
}

} // namespace

bool same_name(const char* a, const char* b)
{
    if (a == nullptr || b == nullptr)
        return false;
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

const win32_resources::MenuResource* find_menu_resource(LPCSTR name)
{
    return find_by_name(win32_resources::menus, name);
}

const win32_resources::DialogResource* find_dialog_resource(LPCSTR name)
{
    return find_by_name(win32_resources::dialogs, name);
}

const win32_resources::FileResource* find_bitmap_resource(LPCSTR name)
{
    return find_by_name(win32_resources::bitmaps, name);
}

const win32_resources::FileResource* find_icon_resource(LPCSTR name)
{
    return find_by_name(win32_resources::icons, name);
}

} // namespace win32_layer
