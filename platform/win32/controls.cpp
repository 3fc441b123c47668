// platform/win32/controls.cpp -- static and button controls. A click reaches a button as
// BM_CLICK; an automatic radio button checks itself and clears the other radio buttons of
// its group before its parent hears of the click (WM_COMMAND, BN_CLICKED).
#include "controls.h"

#include <vector>

#include "dialogs.h"
#include "qt_frames.h"
#include "resources.h"
#include "window_ops.h"

namespace win32_layer {
namespace {

constexpr uintptr_t button_face_brush = 15 + 1;   // COLOR_BTNFACE + 1

bool is_radio(const Window& control)
{
    return control.control == ControlKind::radio || control.control == ControlKind::auto_radio;
}

void set_check(Window& button, bool checked)
{
    button.checked = checked;
    update_control_widget(button);
}

// The group of a control: from the nearest control at or before it with WS_GROUP up to
// the next control with WS_GROUP, in creation order.
std::vector<Window*> group_of(Window& control)
{
    std::vector<Window*> siblings;
    if (Window* parent = find_window(control.parent)) {
        for (const HWND child : parent->children) {
            if (Window* sibling = find_window(child))
                siblings.push_back(sibling);
        }
    }
    size_t position = 0;
    while (position < siblings.size() && siblings[position] != &control)
        ++position;
    if (position == siblings.size())
        return {&control};
    size_t start = position;
    while (start > 0 && (siblings[start]->style & WS_GROUP) == 0)
        --start;
    size_t end = position + 1;
    while (end < siblings.size() && (siblings[end]->style & WS_GROUP) == 0)
        ++end;
    return std::vector<Window*>(siblings.begin() + static_cast<std::ptrdiff_t>(start),
                                siblings.begin() + static_cast<std::ptrdiff_t>(end));
}

void click_button(HWND handle)
{
    Window* button = find_window(handle);
    if (button == nullptr || !button->enabled)
        return;
    if (button->control == ControlKind::auto_radio) {
        for (Window* member : group_of(*button)) {
            if (is_radio(*member))
                set_check(*member, member == button);
        }
    } else if (button->control == ControlKind::auto_check_box) {
        set_check(*button, !button->checked);
    }
    SendMessageA(button->parent, WM_COMMAND, MAKEWPARAM(button->child_id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(handle));
}

LRESULT CALLBACK static_proc(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
{
    return DefWindowProcA(handle, message, wparam, lparam);
}

LRESULT CALLBACK button_proc(HWND handle, UINT message, WPARAM wparam, LPARAM lparam)
{
    Window* button = find_window(handle);
    if (button == nullptr)
        return 0;
    switch (message) {
    case BM_CLICK:
        click_button(handle);
        return 0;
    case BM_SETCHECK:
        set_check(*button, wparam == BST_CHECKED);
        return 0;
    case BM_GETCHECK:
        return button->checked ? BST_CHECKED : BST_UNCHECKED;
    default:
        return DefWindowProcA(handle, message, wparam, lparam);
    }
}

} // namespace

void register_builtin_classes()
{
    register_layer_class("STATIC", static_proc, nullptr);
    register_layer_class("BUTTON", button_proc, nullptr);
    register_layer_class(dialog_class_name, dialog_window_proc, to_handle<HBRUSH>(button_face_brush));
}

ControlKind control_kind_of(const std::string& class_name, DWORD style)
{
    if (same_name(class_name.c_str(), "STATIC"))
        return (style & SS_TYPEMASK) == SS_ICON ? ControlKind::icon : ControlKind::text;
    if (!same_name(class_name.c_str(), "BUTTON"))
        return ControlKind::none;
    switch (style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
        return ControlKind::default_push_button;
    case BS_CHECKBOX:
        return ControlKind::check_box;
    case BS_AUTOCHECKBOX:
        return ControlKind::auto_check_box;
    case BS_RADIOBUTTON:
        return ControlKind::radio;
    case BS_AUTORADIOBUTTON:
        return ControlKind::auto_radio;
    case BS_GROUPBOX:
        return ControlKind::group_box;
    default:
        return ControlKind::push_button;
    }
}

void prepare_icon_control(Window& control)
{
    control.control_icon = LoadIconA(GetModuleHandleA(nullptr), control.text.c_str());
    if (const CursorObject* icon = find_cursor(control.control_icon); icon != nullptr && !icon->image.isNull()) {
        control.width = icon->image.width();
        control.height = icon->image.height();
    }
}

} // namespace win32_layer

using namespace win32_layer;

BOOL WINAPI CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id)
{
    if (find_window(dialog) == nullptr)
        return FALSE;
    for (int64_t id = first_id; id <= last_id; ++id) {
        if (const HWND button = GetDlgItem(dialog, static_cast<int>(id)))
            SendMessageA(button, BM_SETCHECK, id == check_id ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}
