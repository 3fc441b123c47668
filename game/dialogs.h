// The About box and the colour dialog.
#pragma once
#include <windows.h>

// Closes with OK, Escape or the close box.
INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM w_param, LPARAM l_param);
// Sets the human colour as soon as a radio button is clicked; only OK closes it.
INT_PTR CALLBACK colour_dialog_proc(HWND dialog, UINT message, WPARAM w_param, LPARAM l_param);
