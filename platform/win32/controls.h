// platform/win32/controls.h -- the system's own window classes: "STATIC" and "BUTTON"
// controls, and the dialog class.
#pragma once

#include <string>

#include "layer_state.h"

namespace win32_layer {

void register_builtin_classes();
ControlKind control_kind_of(const std::string& class_name, DWORD style);
// An SS_ICON static shows the icon its text names, at the icon's own size.
void prepare_icon_control(Window& control);

} // namespace win32_layer
