// platform/win32/dialogs.cpp -- DialogBoxParamA and its modal loop: the dialog's owner is
// disabled while the dialog runs, so the person's input reaches only the dialog.
#include "dialogs.h"

#include <QPoint>

#include <map>

#include "layer_state.h"
#include "messages.h"
#include "qt_frames.h"
#include "resource_templates.h"

namespace win32_layer {
namespace {

constexpr int base_unit_x = 6;
constexpr int base_unit_y = 13;
constexpr uintptr_t button_face_brush = 15 + 1;   // COLOR_BTNFACE + 1

// What the dialog manager keeps of a running modal dialog.
struct DialogRun {
    DLGPROC proc = nullptr;
    bool ended = false;
    INT_PTR result = 0;
    bool owner_was_enabled = false;
};
std::map<uintptr_t, DialogRun> runs;

DialogRun* run_of(HWND dialog)
{
    const auto found = runs.find(handle_number(dialog));
    return found == runs.end() ? nullptr : &found->second;
}

bool running(HWND dialog)
{
    const DialogRun* run = run_of(dialog);
    return find_window(dialog) != nullptr && run != nullptr && !run->ended;
}

// Dialog units of the 8-point dialog font to pixels, rounded half away from zero: 4
// horizontal units make the average character width (6 pixels), 8 vertical ones the
// character height (13 pixels).
int scale(int units, int base, int per)
{
    const int product = units * base;
    return product >= 0 ? (product + per / 2) / per : (product - per / 2) / per;
}
QPoint pixels(int x_units, int y_units)
{
    return QPoint(scale(x_units, base_unit_x, 4), scale(y_units, base_unit_y, 8));
}

HWND default_button(HWND dialog)
{
    for (const HWND child : find_window(dialog)->children) {
        const Window* control = find_window(child);
        if (control->class_name == "BUTTON" && (control->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return child;
    }
    return nullptr;
}

// The dialog manager's keys: Escape is IDCANCEL, Enter the default push button (or IDOK).
// True when `message` was such a key for `dialog` and has been handled.
bool handle_dialog_key(HWND dialog, const MSG& message)
{
    const Window* target = find_window(message.hwnd);
    if (message.message != WM_KEYDOWN || target == nullptr || (message.hwnd != dialog && target->parent != dialog))
        return false;
    if (message.wParam == VK_ESCAPE) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return true;
    }
    if (message.wParam == VK_RETURN) {
        const HWND button = default_button(dialog);
        const int id = button != nullptr ? find_window(button)->child_id : IDOK;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button != nullptr ? button : GetDlgItem(dialog, IDOK)));
        return true;
    }
    return false;
}

void run_modal_loop(HWND dialog)
{
    while (dispatch_queued(dialog) && running(dialog)) {
        const LayerHook* watcher = hook();
        if (watcher == nullptr || !watcher->loop_idle(dialog))
            wait_for_input();
    }
}

HWND create_dialog(const DialogTemplate& resource, HWND owner, HINSTANCE instance)
{
    // The template places the dialog's outer corner in the owner's client area, and gives
    // its client size.
    QPoint corner = pixels(resource.x, resource.y);
    if (const Window* owner_window = find_window(owner))
        corner += client_screen_origin(*owner_window);
    const QPoint size = pixels(resource.cx, resource.cy);
    RECT outer{0, 0, size.x(), size.y()};
    AdjustWindowRectEx(&outer, resource.style, FALSE, 0);
    const HWND dialog = CreateWindowExA(0, dialog_class_name, resource.caption.c_str(), resource.style, corner.x(),
                                        corner.y(), outer.right - outer.left, outer.bottom - outer.top, owner,
                                        nullptr, instance, nullptr);
    for (const DialogTemplateItem& control : resource.items) {
        const QPoint at = pixels(control.x, control.y);
        const QPoint extent = pixels(control.cx, control.cy);
        CreateWindowExA(0, control.class_name.c_str(), control.text.c_str(), control.style, at.x(), at.y(), extent.x(), extent.y(),
                        dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
    }
    return dialog;
}

HWND first_tab_stop(HWND dialog)
{
    for (const HWND child : find_window(dialog)->children) {
        if ((find_window(child)->style & WS_TABSTOP) != 0)
            return child;
    }
    return nullptr;
}

// The window procedure of every dialog: the program's dialog procedure first, then the
// dialog manager's own handling of what it leaves (FALSE).
LRESULT CALLBACK dialog_window_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (const DialogRun* run = run_of(dialog)) {
        const INT_PTR handled = run->proc(dialog, message, wparam, lparam);
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

} // namespace

void register_dialog_class()
{
    WNDCLASSA dialog_class{};
    dialog_class.lpfnWndProc = dialog_window_proc;
    dialog_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    dialog_class.hbrBackground = to_handle<HBRUSH>(button_face_brush);
    dialog_class.lpszClassName = dialog_class_name;
    RegisterClassA(&dialog_class);
}

bool dispatch_queued(HWND dialog)
{
    MSG message;
    while ((dialog == nullptr || running(dialog)) && take_message(message)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (dialog == nullptr || !handle_dialog_key(dialog, message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

} // namespace win32_layer

using namespace win32_layer;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC dialog_proc,
                               LPARAM init_param)
{
    const std::optional<DialogTemplate> resource = dialog_template(template_name);
    if (!resource || dialog_proc == nullptr)
        return -1;
    Window* owner_window = find_window(owner);
    if (owner_window != nullptr)
        owner_window = top_level_of(*owner_window);
    const HWND owner_handle = owner_window != nullptr ? owner_window->handle : nullptr;

    const HWND dialog = create_dialog(*resource, owner_handle, instance);
    runs[handle_number(dialog)] = DialogRun{dialog_proc, false, 0, owner_window != nullptr && owner_window->enabled};
    if (owner_window != nullptr)
        owner_window->enabled = false;

    SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first_tab_stop(dialog)), init_param);
    if (running(dialog))
        ShowWindow(dialog, SW_SHOW);
    run_modal_loop(dialog);

    const DialogRun run = *run_of(dialog);
    runs.erase(handle_number(dialog));
    Window* restored = find_window(owner_handle);
    if (restored != nullptr && run.owner_was_enabled)
        restored->enabled = true;
    DestroyWindow(dialog);
    if (restored != nullptr && restored->frame != nullptr)
        restored->frame->activateWindow();
    return run.ended ? run.result : 0;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result)
{
    DialogRun* run = run_of(dialog);
    if (run == nullptr || find_window(dialog) == nullptr)
        return FALSE;
    run->ended = true;
    run->result = result;
    // The owner takes input again at once, even before the dialog's loop has returned.
    if (Window* owner = find_window(find_window(dialog)->owner); owner != nullptr && run->owner_was_enabled)
        owner->enabled = true;
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
}
