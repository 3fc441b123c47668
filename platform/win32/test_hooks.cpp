// platform/win32/test_hooks.cpp -- the hooks through which tests run the program and play
// the person in front of it.
#include "win32_test.h"

#include <QAbstractButton>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>

#include "layer_state.h"
#include "menu_bar.h"
#include "messages.h"
#include "text_1252.h"

namespace win32_layer {
namespace {

const Window* find_child(HWND parent, int id)
{
    const Window* window = find_any_window(parent);
    if (window == nullptr)
        return nullptr;
    const Window* found = nullptr;
    for (const HWND child : window->children) {
        const Window* control = find_any_window(child);
        if (control == nullptr || control->child_id != id)
            continue;
        if (!control->destroyed)
            return control;
        found = control;   // a destroyed one only when no live one has the identifier
    }
    return found;
}

const MenuItem* find_menu_item(HWND handle, UINT id)
{
    const Window* window = find_any_window(handle);
    if (window == nullptr)
        return nullptr;
    const std::optional<ItemPlace> place = find_command(window->menu, id);
    return place ? item_at(*place) : nullptr;
}

} // namespace

} // namespace win32_layer

using namespace win32_layer;

namespace win32_test {

void add_step(Step step)
{
    state().steps.push_back(std::move(step));
}

int run_program(Entry entry)
{
    ensure_application();
    LayerState& layer = state();
    layer.test_mode = true;
    reset_state();
    char command_line[] = "";
    const int result = entry(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNORMAL);
    // Steps the program did not wait for (it ended first) are dropped.
    layer.steps.clear();
    layer.answerer = nullptr;
    // The records stay for the test to read; the widgets go.
    for (auto& [number, window] : layer.windows)
        window->frame.reset();
    return result;
}

std::vector<std::string> script_errors()
{
    return state().errors;
}

HWND main_window()
{
    return state().main_window;
}

std::string window_text(HWND window)
{
    const Window* found = find_any_window(window);
    return found != nullptr ? found->text : std::string();
}

bool window_exists(HWND window)
{
    return find_window(window) != nullptr;
}

POINT client_origin(HWND window)
{
    const Window* found = find_any_window(window);
    if (found == nullptr)
        return POINT{0, 0};
    const QPoint origin = client_screen_origin(*found);
    return POINT{origin.x(), origin.y()};
}

void move_pointer(HWND window, int client_x, int client_y)
{
    const POINT origin = client_origin(window);
    LayerState& layer = state();
    layer.pointer = POINT{origin.x + client_x, origin.y + client_y};
    if (!layer.test_mode)
        QCursor::setPos(layer.pointer.x, layer.pointer.y);
    post_input(window, WM_MOUSEMOVE, 0, MAKELPARAM(client_x, client_y));
    deliver_step_input();
}

void click(HWND window, int client_x, int client_y)
{
    const POINT origin = client_origin(window);
    state().pointer = POINT{origin.x + client_x, origin.y + client_y};
    post_input(window, WM_MOUSEMOVE, 0, MAKELPARAM(client_x, client_y));
    post_input(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client_x, client_y));
    post_input(window, WM_LBUTTONUP, 0, MAKELPARAM(client_x, client_y));
    deliver_step_input();
}

bool choose_menu_item(HWND window, UINT id)
{
    const MenuItem* item = find_menu_item(window, id);
    if (find_window(window) == nullptr || item == nullptr || (item->flags & (MF_GRAYED | MF_DISABLED)) != 0)
        return false;
    const bool posted = post_input(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    deliver_step_input();
    return posted;
}

bool menu_item_checked(HWND window, UINT id)
{
    const MenuItem* item = find_menu_item(window, id);
    return item != nullptr && (item->flags & MF_CHECKED) != 0;
}

bool menu_item_greyed(HWND window, UINT id)
{
    const MenuItem* item = find_menu_item(window, id);
    return item != nullptr && (item->flags & (MF_GRAYED | MF_DISABLED)) != 0;
}

std::string menu_item_text(HWND window, UINT id)
{
    const MenuItem* item = find_menu_item(window, id);
    return item != nullptr ? item->text : std::string();
}

void press_close_box(HWND window)
{
    // A dialog turns WM_CLOSE into IDCANCEL itself.
    post_input(window, WM_CLOSE, 0, 0);
    deliver_step_input();
}

HWND active_dialog()
{
    const auto& dialogs = state().dialogs;
    for (auto dialog = dialogs.rbegin(); dialog != dialogs.rend(); ++dialog) {
        if (find_window(*dialog) != nullptr)
            return *dialog;
    }
    return nullptr;
}

std::string dialog_template_name()
{
    const Window* dialog = find_window(active_dialog());
    return dialog != nullptr ? dialog->template_name : std::string();
}

void press_button(HWND dialog, int control_id)
{
    const Window* control = find_child(dialog, control_id);
    if (control == nullptr || control->destroyed) {
        state().errors.push_back("press_button: no control " + std::to_string(control_id));
        return;
    }
    post_input(control->handle, BM_CLICK, 0, 0);
    deliver_step_input();
}

void press_escape(HWND dialog)
{
    post_input(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    deliver_step_input();
}

bool button_checked(HWND dialog, int control_id)
{
    const Window* control = find_child(dialog, control_id);
    return control != nullptr && control->checked;
}

RECT control_rect(HWND dialog, int control_id)
{
    const Window* control = find_child(dialog, control_id);
    if (control == nullptr)
        return RECT{0, 0, 0, 0};
    return RECT{control->x, control->y, control->x + control->width, control->y + control->height};
}

void answer_message_boxes(std::function<int(const MessageBoxCall&)> answer)
{
    state().answerer = std::move(answer);
}

std::vector<MessageBoxCall> message_boxes()
{
    return state().message_boxes;
}

std::vector<std::string> control_text_history(HWND window, int id)
{
    const Window* found = find_any_window(window);
    if (found == nullptr)
        return {};
    const auto texts = found->control_texts.find(id);
    return texts != found->control_texts.end() ? texts->second : std::vector<std::string>{};
}

std::string control_text(HWND window, int id)
{
    const Window* control = find_child(window, id);
    return control != nullptr ? control->text : std::string();
}

CursorInfo current_cursor()
{
    const LayerState& layer = state();
    if (!layer.cursor_was_set)
        return CursorInfo{CursorKind::none, "", POINT{0, 0}};
    const CursorObject* cursor = find_cursor(layer.current_cursor);
    if (cursor == nullptr)
        return CursorInfo{CursorKind::null_cursor, "", POINT{0, 0}};
    return CursorInfo{cursor->kind, cursor->file, cursor->hot_spot};
}

uint32_t client_pixel(HWND window, int x, int y)
{
    const Window* found = find_any_window(window);
    if (found == nullptr || !found->surface.valid(x, y))
        return 0xFFFFFFFFu;
    return found->surface.pixel(x, y) & 0x00FFFFFFu;
}

std::vector<DrawnText> drawn_texts(HWND window)
{
    const Window* found = find_any_window(window);
    return found != nullptr ? found->drawn_texts : std::vector<DrawnText>{};
}

std::string control_display_text(HWND window, int id)
{
    const Window* control = find_child(window, id);
    if (control == nullptr || control->control_widget == nullptr)
        return {};
    QWidget* widget = control->control_widget;
    if (auto* label = qobject_cast<QLabel*>(widget))
        return to_1252(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return to_1252(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return to_1252(group->title());
    return {};
}

int gdi_objects_in_use()
{
    const LayerState& layer = state();
    int count = static_cast<int>(layer.device_contexts.size());
    for (const auto& [number, bitmap] : layer.bitmaps)
        count += bitmap.stock ? 0 : 1;
    return count;
}

} // namespace win32_test
