// platform/win32/qt_frames.h -- the Qt widget that shows a top-level window: a frame with
// the menu bar above and the client area below.
#pragma once

#include "layer_state.h"

namespace win32_layer {

// Builds the (hidden) frame of a top-level window or dialog, with its menu bar if it has a menu.
void build_frame(Window& window);
void show_frame(Window& window, int show_command);
void update_frame_title(Window& window);
// The frame's outer corner to `corner` on the screen, or its size to the window's client size.
void move_frame(Window& window, QPoint corner);
void fit_frame(Window& window);
// Shows the surface's new pixels, at once or at the next chance.
void present(Window& window, bool now);
// The pointer shape over the window the pointer is in.
void apply_cursor(HCURSOR cursor);

} // namespace win32_layer
