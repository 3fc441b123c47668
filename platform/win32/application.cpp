// platform/win32/application.cpp -- the Qt application and the layer's start.
#include "application.h"

#include <QApplication>

#include <memory>

#include "controls.h"
#include "dialogs.h"
#include "layer_state.h"

namespace win32_layer {
namespace {

std::unique_ptr<QApplication>& application()
{
    static std::unique_ptr<QApplication> instance;
    return instance;
}

// The Qt objects must go before the application does.
void release_qt_objects()
{
    state() = LayerState{};
}

} // namespace

void start_application(int& argc, char** argv)
{
    // The layer's state is made first so that it outlives the application, whose end
    // still reaches it to drop the Qt objects.
    state();
    if (QCoreApplication::instance() == nullptr) {
        application() = std::make_unique<QApplication>(argc, argv);
        qAddPostRoutine(release_qt_objects);
    }
    QApplication::setQuitOnLastWindowClosed(false);
    reset_state();
    register_control_classes();
    register_dialog_class();
}

void stop_application()
{
    release_qt_objects();
    application().reset();
}

} // namespace win32_layer
