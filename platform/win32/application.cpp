// platform/win32/application.cpp -- the Qt application and the layer's start.
#include "application.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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

// While Qt starts, what it says is held back: when no platform can start (no display
// to reach), its several lines and its abort make way for one line and an exit status.
std::string program_name = "korvane";
std::vector<std::pair<QtMsgType, std::pair<QByteArray, QString>>> held_messages;

void on_message_while_starting(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s : aucun affichage joignable (DISPLAY ou WAYLAND_DISPLAY), "
                             "le programme ne peut pas s'ouvrir\n", program_name.c_str());
        std::fflush(stderr);
        std::_Exit(1); // no abort, so no core file
    }
    held_messages.push_back({type, {QByteArray(context.category ? context.category : "default"), text}});
}

// Creates the application; ends the program when no platform plugin can start.
void create_application(int& argc, char** argv)
{
    if (argc > 0 && argv[0] != nullptr) {
        const char* slash = std::strrchr(argv[0], '/');
        program_name = slash ? slash + 1 : argv[0];
    }
    const QtMessageHandler previous = qInstallMessageHandler(on_message_while_starting);
    application() = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : held_messages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.first.constData());
        qt_message_output(type, context, message.second);
    }
    held_messages.clear();
}

} // namespace

void start_application(int& argc, char** argv)
{
    // The layer's state is made first so that it outlives the application, whose end
    // still reaches it to drop the Qt objects.
    state();
    if (QCoreApplication::instance() == nullptr) {
        create_application(argc, argv);
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
