// platform/win32/menu_bar.h -- menus: the model behind HMENU and the Qt menu bar showing it.
#pragma once

#include <QMenuBar>

#include <optional>

#include "layer_state.h"

namespace win32_layer {

// A menu built from the named menu resource, or nullptr.
HMENU load_menu_resource(LPCSTR name);

struct ItemPlace {
    HMENU menu;
    size_t index;
};
// The first command item with identifier `id` in `menu` or its pop-ups, in menu order.
std::optional<ItemPlace> find_command(HMENU menu, UINT id);
MenuItem* item_at(const ItemPlace& place);

QMenuBar* build_menu_bar(Window& window, QWidget* frame);
// Brings every menu bar in line with the menus' items (texts, marks, greyed state).
void sync_menu_bars();

} // namespace win32_layer
