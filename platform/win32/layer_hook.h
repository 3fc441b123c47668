// platform/win32/layer_hook.h -- the one point where a test rig watches and drives the
// layer. The shipped program sets no hook; the layer then keeps nothing of what was shown
// and waits for the person whenever its message loops have nothing to do.
#pragma once

#include <windows.h>

namespace win32_layer {

struct LayerHook {
    // A message loop found nothing to do: the program's loop (`dialog` nullptr) or the modal
    // loop of `dialog`. True when the hook gave it something to do, false to let it wait.
    bool (*loop_idle)(HWND dialog);
    // MessageBoxA was called: a nonzero result is the answer, and no box is shown.
    int (*message_box)(HWND owner, const char* text, const char* caption, UINT type);
    // A window got its text: at its creation (before WM_CREATE) and at every WM_SETTEXT.
    void (*window_text)(HWND window, const char* text);
    // TextOutA drew `length` bytes of `text` on a window, in a font whose lines are
    // `height` pixels high.
    void (*text_drawn)(HWND window, int x, int y, const char* text, int length, int height);
};

// nullptr takes the hook away.
void set_hook(const LayerHook* hook);

} // namespace win32_layer
