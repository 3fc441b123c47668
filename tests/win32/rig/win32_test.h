// tests/win32/rig/win32_test.h -- the test rig of the Linux Win32 layer. Tests run the real
// program code (WinMain, window procedure, real messages) on Qt's offscreen platform and act
// as the person in front of it: they move the pointer, click, choose menu items, answer
// message boxes, press dialog buttons, and read back texts, cursors and pixels. The rig
// watches the layer through its one hook (platform/win32/layer_hook.h).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace win32_test {

// ---- Running the program --------------------------------------------------------
// A script is a list of steps. Whenever a message loop (the main GetMessageA loop or a
// modal dialog's loop) finds its queue empty, the rig runs the next step; the step acts
// (posting messages like the real input would) and/or checks state. When the main loop is
// idle with no step left, the rig closes the main window (WM_CLOSE) so the program ends;
// when a modal dialog is idle with no step left, that is a script error and the dialog is
// ended with EndDialog(dlg, 0).
// Input that a step gives through the functions below is handled at once by the loop that
// went idle, so the step sees its effects when the function returns (a dialog it opens runs
// the next steps meanwhile); input given from inside a handler (an answerer, a window
// procedure) waits in the queue, like the person's input during a long computation.
// Steps left when the program ends are dropped.
using Step = std::function<void()>;
void add_step(Step step);

// Runs `entry` (the program's WinMain) with an instance handle, a null previous instance,
// an empty command line and SW_SHOWNORMAL, on a fresh layer; returns its result.
using Entry = int (WINAPI*)(HINSTANCE, HINSTANCE, LPSTR, int);
int run_program(Entry entry);

// Errors met while running the script (e.g. a dialog left open); empty if none.
std::vector<std::string> script_errors();

// ---- Windows ---------------------------------------------------------------------
HWND main_window();                    // the first top-level window created, or nullptr
std::string window_text(HWND window);  // title or control text, Windows-1252 bytes
bool window_exists(HWND window);
// The window system asks for the whole client area to be painted again, as when the
// window is uncovered.
void expose(HWND window);

// ---- Pointer ---------------------------------------------------------------------
// Moves the pointer to a point of `window`'s client area (GetCursorPos reports it in
// screen coordinates) and posts WM_MOUSEMOVE to the window.
void move_pointer(HWND window, int client_x, int client_y);
// Moves there and posts WM_LBUTTONDOWN then WM_LBUTTONUP.
void click(HWND window, int client_x, int client_y);

// ---- Menus -----------------------------------------------------------------------
// Posts WM_COMMAND for the item `id` of the window's menu, as choosing it would.
// Returns false (and posts nothing) when the item is greyed or not in the menu, or the
// window takes no input.
bool choose_menu_item(HWND window, UINT id);
bool menu_item_checked(HWND window, UINT id);
bool menu_item_greyed(HWND window, UINT id);
std::string menu_item_text(HWND window, UINT id);
// The close box of a top-level window or dialog: posts WM_CLOSE.
void press_close_box(HWND window);

// ---- Modal dialogs and message boxes -----------------------------------------------
HWND active_dialog();                            // the innermost open modal dialog, or nullptr
void press_button(HWND dialog, int control_id);  // a click on a button (BM_CLICK)
void press_escape(HWND dialog);                  // the Escape key
bool button_checked(HWND dialog, int control_id);
RECT control_rect(HWND dialog, int control_id);  // pixels, in the dialog's client area

struct MessageBoxCall {
    HWND owner;
    std::string text, caption; // Windows-1252 bytes
    UINT type;                 // MB_ flags as passed
};
// Every MessageBoxA call receives the answer that `answer` returns (IDOK, IDYES, IDNO).
// Without an answerer set, MB_YESNO boxes get IDNO and the others IDOK.
void answer_message_boxes(std::function<int(const MessageBoxCall&)> answer);
std::vector<MessageBoxCall> message_boxes();    // every box of the run, in order

// ---- What the person sees ----------------------------------------------------------
// Every text child control `id` of `window` had in the run (at creation, then each new one).
std::vector<std::string> control_text_history(HWND window, int id);
std::string control_text(HWND window, int id);
// The text the control's widget shows on screen right now, as Windows-1252 bytes.
std::string control_display_text(HWND window, int id);
// The cursor last set with SetCursor and what it is.
enum class CursorKind { null_cursor, standard_cross, from_file, other };
struct CursorInfo {
    CursorKind kind;
    std::string file;   // the name of the file it was loaded from, for from_file
    POINT hot_spot;
    SIZE size;
    std::vector<uint32_t> pixels;   // 0xAARRGGBB, row after row
};
CursorInfo current_cursor();
// The height in pixels of the font that child control `id` of `window` shows its text in.
int control_font_pixels(HWND window, int id);
// Colour of a pixel of the window's client surface, as 0x00RRGGBB.
// Outside the surface (or for a window without one): 0xFFFFFFFF.
uint32_t client_pixel(HWND window, int x, int y);
// Texts drawn with TextOutA on `window` in the run, in order: position, Windows-1252 bytes
// and the height of a line of the font they were drawn in.
struct DrawnText { int x, y; std::string text; int height; };
std::vector<DrawnText> drawn_texts(HWND window);
// Device contexts, bitmaps and fonts the program holds at this moment (stock objects excepted).
int gdi_objects_in_use();

} // namespace win32_test
