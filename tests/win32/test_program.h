// tests/win32/test_program.h -- a small program in Win32 style that the layer's tests run:
// a window class with a menu, a main window with a status line, a dialog, a bitmap.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "win32_test.h"

namespace test_program {

constexpr int status_id = 103;
constexpr int dialog_result = 7;
constexpr UINT colour_command = 200;
constexpr UINT dialog_command = 300;

// What the program's procedures saw, in order ("create", "destroy", "down 10,20", ...).
extern std::vector<std::string> events;
// Extra behaviour for a message of the main window; returns true when it handled it.
extern std::function<bool(HWND, UINT, WPARAM, LPARAM)> extra;
// The exit code the program posts with WM_DESTROY.
extern int quit_code;
// What DialogBoxParamA returned when dialog_command was chosen.
extern INT_PTR last_dialog_result;

// Clears the records above.
void prepare();
int WINAPI entry(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show_command);

// The bitmap CARRE (carre.bmp): its 16-colour palette and the palette index of its pixel (x, y).
uint32_t palette_colour(int index);
int bitmap_index(int x, int y);
constexpr int bitmap_width = 5;
constexpr int bitmap_height = 3;

// A 32 x 32 monochrome cursor file: a filled square of 8 x 8 pixels at the hot spot.
std::vector<uint8_t> cursor_file(uint16_t hot_x, uint16_t hot_y);

} // namespace test_program
