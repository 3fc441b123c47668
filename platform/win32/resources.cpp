// platform/win32/resources.cpp -- resource look-up by name.
#include "resources.h"

#include <cctype>
#include <optional>
#include <span>

#include "win32_test.h"

namespace win32_layer {
namespace {

std::optional<win32_test::ResourceTables> replacement_tables;

win32_test::ResourceTables tables()
{
    if (replacement_tables)
        return *replacement_tables;
    return {win32_resources::menus, win32_resources::dialogs, win32_resources::bitmaps,
            win32_resources::icons, win32_resources::cursors};
}

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
    return find_by_name(tables().menus, name);
}

const win32_resources::DialogResource* find_dialog_resource(LPCSTR name)
{
    return find_by_name(tables().dialogs, name);
}

const win32_resources::FileResource* find_bitmap_resource(LPCSTR name)
{
    return find_by_name(tables().bitmaps, name);
}

const win32_resources::FileResource* find_icon_resource(LPCSTR name)
{
    return find_by_name(tables().icons, name);
}

} // namespace win32_layer

namespace win32_test {

void use_resources(const ResourceTables& tables)
{
    win32_layer::replacement_tables = tables;
}

void use_embedded_resources()
{
    win32_layer::replacement_tables.reset();
}

} // namespace win32_test
