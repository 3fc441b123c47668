// platform/win32/messages.h -- the layer's message queue, shared by the program's loop and
// the modal loops of dialogs.
#pragma once

#include <windows.h>

namespace win32_layer {

// Takes the next message: posted messages in order, then the quit message, then WM_PAINT
// for a window that needs painting. False when there is nothing.
bool take_message(MSG& message);

// Lets Qt deliver the person's input, waiting until something arrives.
void wait_for_input();

// Input as the person gives it: nothing reaches a window that a modal dialog disables.
// With `coalesce`, a pointer move replaces the move still waiting at the end of the queue.
bool post_input(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool coalesce = false);

} // namespace win32_layer
