// platform/win32/dialogs.h -- modal dialogs built from dialog templates, and the loops that
// handle the queue for them.
#pragma once

#include <windows.h>

namespace win32_layer {

inline constexpr const char* dialog_class_name = "#32770";

void register_dialog_class();

// Handles the queued messages as the loop of `dialog` does (nullptr: the program's loop),
// until the queue is empty or the dialog has ended. For a dialog, the dialog manager's keys
// come first: Escape is IDCANCEL, Enter the default push button. False when the quit
// message came; it is posted again for the loop outside.
bool dispatch_queued(HWND dialog);

} // namespace win32_layer
