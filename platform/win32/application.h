// platform/win32/application.h -- the Qt application under the layer, and the layer's start.
#pragma once

namespace win32_layer {

// Starts Qt with the program's arguments (unless an application runs already), then gives
// the layer a fresh state with the system's window classes.
void start_application(int& argc, char** argv);
// Ends the application started here, dropping the layer's Qt objects first.
void stop_application();

} // namespace win32_layer
