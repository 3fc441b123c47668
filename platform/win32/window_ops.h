// platform/win32/window_ops.h -- operations on the layer's windows shared by its parts.
#pragma once

#include <QColor>
#include <QRect>

#include <string>

#include "layer_state.h"

namespace win32_layer {

// Marks part of the client area as needing WM_PAINT (an empty area: all of it).
void invalidate(Window& window, QRect area, bool erase);
// The client area got a new size: the surface follows, keeping its pixels.
void resize_client(Window& window, QSize size);
// WM_SETTEXT: the title of a top-level window or the text of a control.
void set_window_text(Window& window, const std::string& text);
// Colour of a class background brush (COLOR_xxx + 1 brushes).
QColor brush_colour(HBRUSH brush);
// Registers a class of the layer's own (controls, dialogs).
void register_layer_class(const char* name, WNDPROC proc, HBRUSH background);

} // namespace win32_layer
