// platform/win32/menu_bar.cpp -- menus from menu templates, and their Qt menu bars.
#include "menu_bar.h"

#include <QAction>
#include <QMenu>

#include <utility>
#include <vector>

#include "messages.h"
#include "resource_templates.h"
#include "text_1252.h"

namespace win32_layer {
namespace {

constexpr UINT kept_flags = MF_GRAYED | MF_DISABLED | MF_CHECKED;

HMENU new_menu()
{
    const uintptr_t number = new_number();
    state().menus[number] = Menu{};
    return to_handle<HMENU>(number);
}

void sync_action(const MenuItem& item)
{
    QAction* action = item.action;
    if (action == nullptr)
        return;
    action->setText(from_1252(item.text));
    action->setEnabled((item.flags & (MF_GRAYED | MF_DISABLED)) == 0);
    const bool checked = (item.flags & MF_CHECKED) != 0;
    // Qt draws an empty box for a checkable item; Windows shows nothing unless marked.
    action->setCheckable(checked);
    action->setChecked(checked);
}

void sync_menu(HMENU handle)
{
    if (const Menu* menu = find_menu(handle)) {
        for (const MenuItem& item : menu->items) {
            sync_action(item);
            sync_menu(item.popup);
        }
    }
}

void post_command(HWND window, HMENU menu, size_t index)
{
    const Menu* owner = find_menu(menu);
    if (owner == nullptr || index >= owner->items.size())
        return;
    const MenuItem& item = owner->items[index];
    if ((item.flags & (MF_GRAYED | MF_DISABLED)) == 0)
        post_input(window, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
    // Qt turned the mark of a checkable item over; the program decides the marks.
    sync_menu_bars();
}

// Adds the items of `handle` to a menu bar or a pop-up.
template <typename Container>
void add_items(Container* container, HWND window, HMENU handle)
{
    Menu* menu = find_menu(handle);
    if (menu == nullptr)
        return;
    for (size_t index = 0; index < menu->items.size(); ++index) {
        MenuItem& item = menu->items[index];
        if (item.popup != nullptr) {
            QMenu* popup = container->addMenu(from_1252(item.text));
            item.action = popup->menuAction();
            add_items(popup, window, item.popup);
        } else {
            QAction* action = container->addAction(from_1252(item.text));
            QObject::connect(action, &QAction::triggered, action,
                             [window, handle, index] { post_command(window, handle, index); });
            item.action = action;
        }
        sync_action(menu->items[index]);
    }
}

} // namespace

HMENU load_menu_resource(LPCSTR name)
{
    const std::optional<std::vector<MenuTemplateItem>> entries = menu_template(name);
    if (!entries)
        return nullptr;
    const HMENU bar = new_menu();
    std::vector<HMENU> open_menus{bar};   // open_menus[level] receives the entries of that level
    for (const MenuTemplateItem& entry : *entries) {
        open_menus.resize(entry.level + 1);
        MenuItem item;
        item.text = entry.text;
        item.id = entry.id;
        item.flags = entry.flags & kept_flags;
        item.popup = entry.popup ? new_menu() : nullptr;
        const HMENU popup = item.popup;
        find_menu(open_menus.back())->items.push_back(std::move(item));
        if (popup != nullptr)
            open_menus.push_back(popup);
    }
    return bar;
}

void destroy_menu(HMENU handle)
{
    if (const Menu* menu = find_menu(handle)) {
        for (const MenuItem& item : menu->items)
            destroy_menu(item.popup);
        state().menus.erase(handle_number(handle));
    }
}

MenuItem* find_command(HMENU handle, UINT id)
{
    Menu* menu = find_menu(handle);
    if (menu == nullptr)
        return nullptr;
    for (MenuItem& item : menu->items) {
        if (item.popup != nullptr) {
            if (MenuItem* inner = find_command(item.popup, id))
                return inner;
        } else if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

QMenuBar* build_menu_bar(Window& window, QWidget* frame)
{
    auto* bar = new QMenuBar(frame);
    bar->setNativeMenuBar(false);
    add_items(bar, window.handle, window.menu);
    return bar;
}

void sync_menu_bars()
{
    for (auto& [number, window] : state().windows) {
        if (window->menu_bar != nullptr)
            sync_menu(window->menu);
    }
}

} // namespace win32_layer
