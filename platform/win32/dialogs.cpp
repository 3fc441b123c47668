// platform/win32/dialogs.cpp -- DialogBoxParamA and its modal loop: the dialog's owner is
// disabled while the dialog runs, so the person's input reaches only the dialog.
#include "dialogs.h"

#include <QRect>

#include <algorithm>
#include <string>

#include "layer_state.h"
#include "messages.h"
#include "qt_frames.h"
#include "resources.h"
#include "window_ops.h"

namespace win32_layer {
namespace {

constexpr int base_unit_x = 6;
constexpr int base_unit_y = 13;

// a * b / c rounded half away from zero.
int scale(int a, int b, int c)
{
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

HWND default_button(HWND dialog)
{
    if (const Window* window = find_window(dialog)) {
        for (const HWND child : window->children) {
            const Window* control = find_window(child);
            if (control != nullptr && control->control == ControlKind::default_push_button)
                return child;
        }
    }
    return nullptr;
}

} // namespace

bool handle_dialog_key(HWND dialog, const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    const Window* target = find_window(message.hwnd);
    if (target == nullptr || (message.hwnd != dialog && target->parent != dialog))
        return false;
    if (message.wParam == VK_ESCAPE) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return true;
    }
    if (message.wParam == VK_RETURN) {
        const HWND button = default_button(dialog);
        const Window* control = find_window(button);
        const int id = control != nullptr ? control->child_id : IDOK;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button != nullptr ? button : GetDlgItem(dialog, IDOK)));
        return true;
    }
    return false;
}

namespace {

void run_modal_loop(HWND dialog)
{
    LayerState& layer = state();
    for (;;) {
        const Window* window = find_window(dialog);
        if (window == nullptr || window->dialog_ended)
            return;
        MSG message;
        if (!take_message(message, nullptr, 0, 0)) {
            if (!layer.test_mode) {
                wait_for_input();
            } else if (!run_next_step(dialog)) {
                layer.errors.push_back("the dialog " + window->template_name +
                                       " was left open with no step left; it was ended with 0");
                EndDialog(dialog, 0);
            }
            continue;
        }
        if (message.message == WM_QUIT) {
            // The program's own loop must see it too.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!handle_dialog_key(dialog, message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

HWND create_dialog(const win32_resources::DialogResource& resource, HWND owner, DLGPROC proc, HINSTANCE instance)
{
    LayerState& layer = state();
    const uintptr_t number = new_number();
    const HWND handle = to_handle<HWND>(number);
    auto made = std::make_unique<Window>();
    Window& dialog = *made;
    dialog.handle = handle;
    dialog.class_name = dialog_class_name;
    dialog.proc = dialog_window_proc;
    dialog.style = resource.style;
    dialog.owner = owner;
    dialog.text = resource.caption != nullptr ? resource.caption : "";
    dialog.class_cursor = layer.arrow_cursor;
    dialog.background = to_handle<HBRUSH>(uintptr_t{15 + 1});   // COLOR_BTNFACE + 1
    dialog.is_dialog = true;
    dialog.dialog_proc = proc;
    dialog.template_name = resource.name;
    dialog.width = std::max(dialog_units_to_x(resource.cx), 1);
    dialog.height = std::max(dialog_units_to_y(resource.cy), 1);
    // The template places the dialog's outer corner in the owner's client area.
    QPoint corner(dialog_units_to_x(resource.x), dialog_units_to_y(resource.y));
    if (const Window* owner_window = find_window(owner))
        corner += client_screen_origin(*owner_window);
    dialog.x = corner.x();
    dialog.y = corner.y();
    dialog.surface = QImage(dialog.width, dialog.height, QImage::Format_RGB32);
    dialog.surface.fill(brush_colour(dialog.background));
    layer.windows.emplace(number, std::move(made));
    build_frame(dialog);
    if (!layer.test_mode)
        dialog.frame->move(corner);

    for (const win32_resources::DialogControl& control : resource.controls) {
        CreateWindowExA(0, control.class_name, control.text, control.style, dialog_units_to_x(control.x),
                        dialog_units_to_y(control.y), dialog_units_to_x(control.cx), dialog_units_to_y(control.cy),
                        handle, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    }
    return handle;
}

HWND first_tab_stop(HWND dialog)
{
    if (const Window* window = find_window(dialog)) {
        for (const HWND child : window->children) {
            const Window* control = find_window(child);
            if (control != nullptr && (control->style & WS_TABSTOP) != 0)
                return child;
        }
    }
    return nullptr;
}

} // namespace

int dialog_units_to_x(int units)
{
    return scale(units, base_unit_x, 4);
}

int dialog_units_to_y(int units)
{
    return scale(units, base_unit_y, 8);
}

LRESULT CALLBACK dialog_window_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    const Window* window = find_window(dialog);
    const DLGPROC proc = window != nullptr ? window->dialog_proc : nullptr;
    if (proc != nullptr) {
        const INT_PTR handled = proc(dialog, message, wparam, lparam);
        // Only the low 32 bits count: a procedure declared with a BOOL result leaves the rest undefined.
        if (static_cast<int32_t>(handled) != 0)
            return message == WM_INITDIALOG ? handled : 0;
    }
    switch (message) {
    case WM_CLOSE:
        // The close box of a dialog is its Cancel button.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return 0;
    case WM_INITDIALOG:
        return TRUE;
    default:
        return DefWindowProcA(dialog, message, wparam, lparam);
    }
}

} // namespace win32_layer

using namespace win32_layer;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC dialog_proc,
                               LPARAM init_param)
{
    ensure_application();
    const win32_resources::DialogResource* resource = find_dialog_resource(template_name);
    if (resource == nullptr)
        return -1;
    LayerState& layer = state();
    Window* owner_window = find_window(owner);
    if (owner_window != nullptr)
        owner_window = top_level_of(*owner_window);
    const HWND owner_handle = owner_window != nullptr ? owner_window->handle : nullptr;

    const HWND dialog = create_dialog(*resource, owner_handle, dialog_proc, instance);
    find_window(dialog)->owner_was_enabled = owner_window != nullptr && owner_window->enabled;
    if (owner_window != nullptr)
        owner_window->enabled = false;
    layer.dialogs.push_back(dialog);

    SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first_tab_stop(dialog)), init_param);
    if (const Window* window = find_window(dialog); window != nullptr && !window->dialog_ended)
        ShowWindow(dialog, SW_SHOW);
    run_modal_loop(dialog);

    const Window* ended = find_any_window(dialog);
    const INT_PTR result = ended != nullptr && ended->dialog_ended ? ended->dialog_result : 0;
    std::erase(layer.dialogs, dialog);
    if (Window* restored = find_window(owner_handle); restored != nullptr && ended != nullptr &&
                                                      ended->owner_was_enabled)
        restored->enabled = true;
    DestroyWindow(dialog);
    if (Window* restored = find_window(owner_handle); restored != nullptr && restored->frame != nullptr &&
                                                      !layer.test_mode)
        restored->frame->activateWindow();
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result)
{
    Window* window = find_window(dialog);
    if (window == nullptr || !window->is_dialog)
        return FALSE;
    window->dialog_ended = true;
    window->dialog_result = result;
    // The owner takes input again at once, even before the dialog's loop has returned.
    if (Window* owner = find_window(window->owner); owner != nullptr && window->owner_was_enabled)
        owner->enabled = true;
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}
