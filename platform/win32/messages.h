// platform/win32/messages.h -- the layer's message queue, shared by the program's loop and
// the modal loops of dialogs.
#pragma once

#include <windows.h>

namespace win32_layer {

// Takes the next message for `filter` (nullptr: any window) within [first, last] (0, 0: all):
// posted messages in order, then the quit message, then WM_PAINT for a window that needs
// painting. False when there is nothing.
bool take_message(MSG& message, HWND filter, UINT first, UINT last);

// Real mode: lets Qt deliver the person's input, waiting until something arrives.
void wait_for_input();

// Test mode: runs the next script step for the loop that went idle (a dialog's modal loop,
// or the program's loop: nullptr); false when none is left.
bool run_next_step(HWND idle_dialog);

// Test mode: when a script step (rather than a handler) gave input, the idle loop handles
// it at once, so that the step sees its effects; inside a handler the input waits.
void deliver_step_input();

// Input as the person gives it: nothing reaches a window that a modal dialog disables.
// With `coalesce`, a pointer move replaces the move still waiting at the end of the queue.
bool post_input(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool coalesce = false);

} // namespace win32_layer
