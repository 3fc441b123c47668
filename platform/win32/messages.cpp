// platform/win32/messages.cpp -- the message queue and the program's message loop. A handler
// always runs to its end before the next message is taken; the person's input waits in the
// queue meanwhile.
#include "messages.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>

#include <chrono>

#include "layer_state.h"

namespace win32_layer {
namespace {

DWORD milliseconds_since_start()
{
    static const auto start = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

MSG make_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    const QPoint pointer = QCursor::pos();
    return MSG{window, message, wparam, lparam, milliseconds_since_start(), POINT{pointer.x(), pointer.y()}};
}

bool is_pointer_message(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP;
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

} // namespace

bool take_message(MSG& message)
{
    LayerState& layer = state();
    if (!layer.queue.empty()) {
        message = layer.queue.front();
        layer.queue.pop_front();
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
        if (!window->update_region.isEmpty()) {
            message = make_message(window->handle, WM_PAINT, 0, 0);
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

bool post_input(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool coalesce)
{
    Window* target = find_window(window);
    if (target == nullptr || !target->enabled || !top_level_of(*target)->enabled)
        return false;
    auto& queue = state().queue;
    if (coalesce && !queue.empty() && queue.back().hwnd == window && queue.back().message == message) {
        queue.back() = make_message(window, message, wparam, lparam);
        return true;
    }
    queue.push_back(make_message(window, message, wparam, lparam));
    return true;
}

} // namespace win32_layer

using namespace win32_layer;

// The program's loop takes every message: window and range filters are not supported.
BOOL WINAPI GetMessageA(LPMSG message, HWND, UINT, UINT)
{
    if (message == nullptr)
        return -1;
    while (!take_message(*message)) {
        const LayerHook* watcher = hook();
        if (watcher == nullptr || !watcher->loop_idle(nullptr))
            wait_for_input();
    }
    return message->message == WM_QUIT ? FALSE : TRUE;
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
    if (find_window(window) == nullptr)
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
