// platform/win32/qt_frames.h -- the Qt widgets that show the layer's windows: a frame per
// top-level window (menu bar above, client area below), and a widget per control.
#pragma once

#include "layer_state.h"

namespace win32_layer {

// Builds the (hidden) frame of a top-level window or dialog, with its menu bar if it has a menu.
void build_frame(Window& window);
// Builds the widget of a child control inside its parent's client area.
void build_control_widget(Window& control, Window& parent);
// Brings a control's widget in line with its text and check state.
void update_control_widget(Window& control);
// Shows a control's new state on screen at once, even inside a long handler; the person's
// input stays queued.
void show_control_now(Window& control);
void show_frame(Window& window, int show_command);
void update_frame_title(Window& window);
// Shows the surface's new pixels.
void present(Window& window, bool now);
// The pointer shape over the window the pointer is in.
void apply_cursor(HCURSOR cursor);

} // namespace win32_layer
