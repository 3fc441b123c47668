// platform/win32/messages.cpp -- the message queue and the program's message loop. A handler
// always runs to its end before the next message is taken; the person's input (real, or
// given by a test script) waits in the queue meanwhile.
#include "messages.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>

#include <chrono>
#include <exception>
#include <string>
#include <utility>

#include "dialogs.h"
#include "layer_state.h"

namespace win32_layer {
namespace {

DWORD milliseconds_since_start()
{
    static const auto start = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

bool is_pointer_message(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;
}

bool belongs_to(HWND window, HWND filter)
{
    for (Window* current = find_any_window(window); current != nullptr; current = find_any_window(current->parent)) {
        if (current->handle == filter)
            return true;
    }
    return false;
}

bool matches(const MSG& message, HWND filter, UINT first, UINT last)
{
    if (filter != nullptr && !belongs_to(message.hwnd, filter))
        return false;
    return (first == 0 && last == 0) || (message.message >= first && message.message <= last);
}

MSG make_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    MSG made{};
    made.hwnd = window;
    made.message = message;
    made.wParam = wparam;
    made.lParam = lparam;
    made.time = milliseconds_since_start();
    POINT pointer{};
    GetCursorPos(&pointer);
    made.pt = pointer;
    return made;
}

// Before pointer input reaches a window, the window chooses the pointer shape (its class
// cursor, through DefWindowProcA) as the system asks it to with WM_SETCURSOR.
void offer_cursor(const MSG& message)
{
    if (find_window(message.hwnd) == nullptr)
        return;
    state().pointer_window = message.hwnd;
    SendMessageA(message.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(message.hwnd),
                 MAKELPARAM(HTCLIENT, message.message));
}

// Test mode: the program's loop has nothing to do.
void main_loop_idle()
{
    if (run_next_step(nullptr))
        return;
    LayerState& layer = state();
    const HWND main = layer.main_window;
    if (find_window(main) != nullptr && !layer.close_requested) {
        layer.close_requested = true;
        PostMessageA(main, WM_CLOSE, 0, 0);
        return;
    }
    layer.errors.push_back(find_window(main) != nullptr
                               ? "the main window stayed open after WM_CLOSE; the loop was ended"
                               : "the message loop waited with no window left; the loop was ended");
    PostQuitMessage(0);
}

} // namespace

bool take_message(MSG& message, HWND filter, UINT first, UINT last)
{
    LayerState& layer = state();
    for (auto queued = layer.queue.begin(); queued != layer.queue.end(); ++queued) {
        if (!matches(*queued, filter, first, last))
            continue;
        message = *queued;
        layer.queue.erase(queued);
        if (is_pointer_message(message.message))
            offer_cursor(message);
        return true;
    }
    if (layer.quit_pending) {
        layer.quit_pending = false;
        message = make_message(nullptr, WM_QUIT, static_cast<WPARAM>(layer.quit_code), 0);
        return true;
    }
    for (auto& [number, window] : layer.windows) {
        if (window->destroyed || window->update_region.isEmpty())
            continue;
        const MSG paint = make_message(window->handle, WM_PAINT, 0, 0);
        if (matches(paint, filter, first, last)) {
            message = paint;
            return true;
        }
    }
    return false;
}

void wait_for_input()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool run_next_step(HWND idle_dialog)
{
    LayerState& layer = state();
    if (layer.steps.empty())
        return false;
    win32_test::Step step = std::move(layer.steps.front());
    layer.steps.pop_front();
    const bool outer_in_step = layer.in_step;
    const HWND outer_dialog = layer.idle_dialog;
    layer.in_step = true;
    layer.idle_dialog = idle_dialog;
    try {
        step();
    } catch (const std::exception& error) {
        layer.errors.push_back(std::string("a script step failed: ") + error.what());
    } catch (...) {
        layer.errors.push_back("a script step failed");
    }
    layer.in_step = outer_in_step;
    layer.idle_dialog = outer_dialog;
    return true;
}

void deliver_step_input()
{
    LayerState& layer = state();
    if (!layer.test_mode || !layer.in_step)
        return;
    const HWND dialog = layer.idle_dialog;
    layer.in_step = false;
    for (;;) {
        // An ended dialog's loop hands over to the loop outside it before anything else.
        if (dialog != nullptr) {
            const Window* window = find_window(dialog);
            if (window == nullptr || window->dialog_ended)
                break;
        }
        MSG message;
        if (!take_message(message, nullptr, 0, 0))
            break;
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (dialog == nullptr || !handle_dialog_key(dialog, message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    layer.in_step = true;
}

bool post_input(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool coalesce)
{
    Window* target = find_window(window);
    if (target == nullptr || !target->enabled || !top_level_of(*target)->enabled)
        return false;
    LayerState& layer = state();
    if (coalesce && !layer.queue.empty() && layer.queue.back().hwnd == window &&
        layer.queue.back().message == message) {
        layer.queue.back() = make_message(window, message, wparam, lparam);
        return true;
    }
    layer.queue.push_back(make_message(window, message, wparam, lparam));
    return true;
}

} // namespace win32_layer

using namespace win32_layer;

BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filter_min, UINT filter_max)
{
    if (message == nullptr || (window != nullptr && find_window(window) == nullptr))
        return -1;
    for (;;) {
        if (take_message(*message, window, filter_min, filter_max))
            return message->message == WM_QUIT ? FALSE : TRUE;
        if (state().test_mode)
            main_loop_idle();
        else
            wait_for_input();
    }
}

BOOL WINAPI TranslateMessage(const MSG*)
{
    // No character messages are made: the program reads no keys.
    return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* message)
{
    if (message == nullptr || message->hwnd == nullptr)
        return 0;
    return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

void WINAPI PostQuitMessage(int exit_code)
{
    state().quit_pending = true;
    state().quit_code = exit_code;
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (window != nullptr && find_window(window) == nullptr)
        return FALSE;
    state().queue.push_back(make_message(window, message, wparam, lparam));
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    const Window* target = find_window(window);
    if (target == nullptr || target->proc == nullptr)
        return 0;
    const WNDPROC proc = target->proc;   // the window may not outlive the call
    return proc(window, message, wparam, lparam);
}
