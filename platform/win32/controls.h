// platform/win32/controls.h -- the system's own control classes, "STATIC" and "BUTTON".
#pragma once

namespace win32_layer {

void register_control_classes();

} // namespace win32_layer
