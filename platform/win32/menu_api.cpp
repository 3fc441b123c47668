// platform/win32/menu_api.cpp -- GetMenu, CheckMenuRadioItem, ModifyMenuA, DrawMenuBar, by
// command identifier (MF_BYCOMMAND), the only way the program names its items.
#include <map>

#include "layer_state.h"
#include "menu_bar.h"

namespace win32_layer {
namespace {

constexpr UINT item_state_flags = MF_GRAYED | MF_DISABLED | MF_CHECKED;

// The items with identifiers first..last of the pop-up (or bar) `handle` and its pop-ups,
// by identifier; each pop-up's items stay apart, under that pop-up's handle.
void collect(HMENU handle, UINT first, UINT last, std::map<UINT, std::pair<HMENU, MenuItem*>>& found)
{
    Menu* menu = find_menu(handle);
    if (menu == nullptr)
        return;
    for (MenuItem& item : menu->items) {
        if (item.popup != nullptr)
            collect(item.popup, first, last, found);
        else if (item.id >= first && item.id <= last)
            found.emplace(item.id, std::pair{handle, &item});   // the first one found stays
    }
}

} // namespace

} // namespace win32_layer

using namespace win32_layer;

HMENU WINAPI GetMenu(HWND handle)
{
    const Window* window = find_window(handle);
    return window != nullptr && window->parent == nullptr ? window->menu : nullptr;
}

// Identifiers first..last in increasing value, each item found as MF_BYCOMMAND finds it;
// only the items of the pop-up that holds the lowest identifier found take part.
BOOL WINAPI CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT)
{
    std::map<UINT, std::pair<HMENU, MenuItem*>> found;
    collect(menu, first, last, found);
    if (found.empty())
        return FALSE;
    const HMENU group = found.begin()->second.first;
    bool done = false;
    for (const auto& [id, place] : found) {
        if (place.first != group)
            continue;
        if (id == check)
            place.second->flags |= MF_CHECKED;
        else
            place.second->flags &= ~static_cast<UINT>(MF_CHECKED);
        done = done || id == check;
    }
    sync_menu_bars();
    return done ? TRUE : FALSE;
}

BOOL WINAPI ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR new_id, LPCSTR new_text)
{
    MenuItem* item = find_command(menu, position);
    if (item == nullptr)
        return FALSE;
    item->id = static_cast<UINT>(new_id);
    item->flags = flags & item_state_flags;
    item->text = new_text != nullptr ? new_text : "";
    sync_menu_bars();
    return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND handle)
{
    const Window* window = find_window(handle);
    if (window == nullptr || window->menu == nullptr)
        return FALSE;
    sync_menu_bars();
    return TRUE;
}
