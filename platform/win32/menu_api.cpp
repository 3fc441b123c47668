// platform/win32/menu_api.cpp -- GetMenu, CheckMenuRadioItem, ModifyMenuA, DrawMenuBar.
#include <functional>
#include <map>

#include "layer_state.h"
#include "menu_bar.h"

namespace win32_layer {
namespace {

constexpr UINT item_state_flags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MFT_RADIOCHECK;

std::optional<ItemPlace> find_item(HMENU menu, UINT position, UINT flags)
{
    if ((flags & MF_BYPOSITION) == 0)
        return find_command(menu, position);
    const Menu* owner = find_menu(menu);
    if (owner == nullptr || position >= owner->items.size())
        return std::nullopt;
    return ItemPlace{menu, position};
}

void mark(MenuItem& item, bool checked)
{
    if (checked)
        item.flags |= MF_CHECKED | MFT_RADIOCHECK;
    else
        item.flags &= ~static_cast<UINT>(MF_CHECKED);
}

// Identifiers first..last in increasing value, each item found as MF_BYCOMMAND finds it;
// only the items of the pop-up that holds the first one found take part.
bool check_radio_by_command(HMENU menu, UINT first, UINT last, UINT check)
{
    std::map<UINT, ItemPlace> candidates;
    std::function<void(HMENU)> collect = [&](HMENU handle) {
        const Menu* current = find_menu(handle);
        if (current == nullptr)
            return;
        for (size_t index = 0; index < current->items.size(); ++index) {
            const MenuItem& item = current->items[index];
            if (item.popup != nullptr)
                collect(item.popup);
            else if ((item.flags & MF_SEPARATOR) == 0 && item.id >= first && item.id <= last)
                candidates.emplace(item.id, ItemPlace{handle, index});   // the first one found stays
        }
    };
    collect(menu);
    if (candidates.empty())
        return false;
    const HMENU group = candidates.begin()->second.menu;
    bool done = false;
    for (const auto& [id, place] : candidates) {
        MenuItem* item = item_at(place);
        if (place.menu != group || item == nullptr)
            continue;
        mark(*item, id == check);
        done = done || id == check;
    }
    return done;
}

bool check_radio_by_position(HMENU handle, UINT first, UINT last, UINT check)
{
    Menu* menu = find_menu(handle);
    if (menu == nullptr)
        return false;
    bool done = false;
    for (size_t position = first; position <= last && position < menu->items.size(); ++position) {
        MenuItem& item = menu->items[position];
        if (item.flags & MF_SEPARATOR)
            continue;
        mark(item, position == check);
        done = done || position == check;
    }
    return done;
}

} // namespace

} // namespace win32_layer

using namespace win32_layer;

HMENU WINAPI GetMenu(HWND handle)
{
    const Window* window = find_window(handle);
    return window != nullptr && window->parent == nullptr ? window->menu : nullptr;
}

BOOL WINAPI CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags)
{
    const bool done = (flags & MF_BYPOSITION) != 0 ? check_radio_by_position(menu, first, last, check)
                                                   : check_radio_by_command(menu, first, last, check);
    sync_menu_bars();
    return done ? TRUE : FALSE;
}

BOOL WINAPI ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR new_id, LPCSTR new_text)
{
    const std::optional<ItemPlace> place = find_item(menu, position, flags);
    MenuItem* item = place ? item_at(*place) : nullptr;
    if (item == nullptr)
        return FALSE;
    // Pop-ups keep their place in the bar: only command items are changed.
    if ((flags & MF_POPUP) != 0 || item->popup != nullptr)
        return FALSE;
    item->id = static_cast<UINT>(new_id);
    item->popup = nullptr;
    item->flags = flags & (item_state_flags | MF_SEPARATOR);
    item->text = (flags & MF_SEPARATOR) != 0 || new_text == nullptr ? "" : new_text;
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
