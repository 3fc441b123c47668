// The program entry's pieces: the window class, the main window procedure, start-up.
#pragma once
#include <windows.h>

#include <cstdint>

constexpr DWORD main_window_style = WS_OVERLAPPEDWINDOW;

// Registers class "MyApp" in the way this version of Windows expects: 0 on failure.
ATOM register_main_class(WNDCLASSA& window_class);
LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM w_param, LPARAM l_param);
// The level that a "Niveau" item stands for, or 0 when `id` is no level item.
int32_t level_of_item(UINT id);
