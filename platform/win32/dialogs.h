// platform/win32/dialogs.h -- modal dialogs built from dialog templates.
#pragma once

#include <windows.h>

namespace win32_layer {

inline constexpr const char* dialog_class_name = "#32770";

// The window procedure of every dialog: the program's dialog procedure first, then the
// dialog manager's own handling of what it leaves (FALSE).
LRESULT CALLBACK dialog_window_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Dialog units of the 8-point dialog font to pixels: 4 horizontal units make the average
// character width (6 pixels), 8 vertical ones the character height (13 pixels).
int dialog_units_to_x(int units);
int dialog_units_to_y(int units);

// The dialog manager's keys: Escape is IDCANCEL, Enter the default push button (or IDOK).
// True when `message` was such a key for `dialog` and has been handled.
bool handle_dialog_key(HWND dialog, const MSG& message);

} // namespace win32_layer
