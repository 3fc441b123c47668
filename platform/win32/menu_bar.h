// platform/win32/menu_bar.h -- menus: the model behind HMENU and the Qt menu bar showing it.
#pragma once

#include <QMenuBar>

#include "layer_state.h"

namespace win32_layer {

// A menu built from the named menu resource, or nullptr.
HMENU load_menu_resource(LPCSTR name);
// Drops a menu and its pop-ups.
void destroy_menu(HMENU menu);
// The first command item with identifier `id` in `menu` or its pop-ups, in menu order.
MenuItem* find_command(HMENU menu, UINT id);

QMenuBar* build_menu_bar(Window& window, QWidget* frame);
// Brings every menu bar in line with the menus' items (texts, marks, greyed state).
void sync_menu_bars();

} // namespace win32_layer
