// platform/win32/layer_state.cpp -- the layer's object tables and the Qt application.
#include "layer_state.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "controls.h"

namespace win32_layer {
namespace {

std::unique_ptr<QApplication>& application()
{
    static std::unique_ptr<QApplication> instance;
    return instance;
}

// The Qt objects must go before the application does; plain records may stay.
void release_qt_objects()
{
    LayerState& layer = state();
    for (auto& [number, window] : layer.windows)
        window->frame.reset();
    layer.cursors.clear();
    layer.cross_cursor = nullptr;
    layer.arrow_cursor = nullptr;
    layer.application_icon = nullptr;
}

HCURSOR make_standard_cursor(win32_test::CursorKind kind, Qt::CursorShape shape, POINT hot_spot)
{
    const uintptr_t number = new_number();
    CursorObject& cursor = state().cursors[number];
    cursor.kind = kind;
    cursor.cursor = QCursor(shape);
    cursor.hot_spot = hot_spot;
    return to_handle<HCURSOR>(number);
}

void make_stock_objects()
{
    LayerState& layer = state();
    layer.cross_cursor = make_standard_cursor(win32_test::CursorKind::standard_cross, Qt::CrossCursor, {15, 15});
    layer.arrow_cursor = make_standard_cursor(win32_test::CursorKind::standard_arrow, Qt::ArrowCursor, {0, 0});

    const uintptr_t icon = new_number();
    CursorObject& application_icon = layer.cursors[icon];
    application_icon.kind = win32_test::CursorKind::none;
    application_icon.image = QImage(32, 32, QImage::Format_ARGB32);
    application_icon.image.fill(qRgb(255, 255, 255));
    layer.application_icon = to_handle<HICON>(icon);

    const uintptr_t bitmap = new_number();
    Bitmap& stock = layer.bitmaps[bitmap];
    stock.image = QImage(1, 1, QImage::Format_RGB32);
    stock.image.fill(qRgb(0, 0, 0));
    stock.stock = true;
    layer.stock_bitmap = to_handle<HGDIOBJ>(bitmap);
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

LayerState& state()
{
    static LayerState instance;
    return instance;
}

uintptr_t new_number()
{
    LayerState& layer = state();
    layer.next_number += 4;
    return layer.next_number;
}

void ensure_application()
{
    if (QCoreApplication::instance() != nullptr) {
        if (state().cross_cursor == nullptr) {
            qAddPostRoutine(release_qt_objects);
            reset_state();
        }
        return;
    }
    // Without a display the layer still runs, on Qt's offscreen platform.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char program_name[] = "korvane";
    static char* argv[] = {program_name, nullptr};
    start_application(argc, argv);
}

void start_application(int& argc, char** argv)
{
    // The layer's state is made first so that it outlives the application, whose end
    // still reaches it to drop the Qt objects.
    state();
    if (QCoreApplication::instance() == nullptr)
        create_application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qAddPostRoutine(release_qt_objects);
    reset_state();
}

void stop_application()
{
    release_qt_objects();
    application().reset();
}

void reset_state()
{
    LayerState& layer = state();
    for (auto& [number, window] : layer.windows)
        window->frame.reset();
    layer.windows.clear();
    layer.classes.clear();
    layer.menus.clear();
    layer.bitmaps.clear();
    layer.device_contexts.clear();
    layer.cursors.clear();
    layer.queue.clear();
    layer.quit_pending = false;
    layer.quit_code = 0;
    layer.main_window = nullptr;
    layer.dialogs.clear();
    layer.pointer_window = nullptr;
    layer.pointer = {0, 0};
    layer.current_cursor = nullptr;
    layer.cursor_was_set = false;
    layer.errors.clear();
    layer.message_boxes.clear();
    layer.close_requested = false;
    make_stock_objects();
    register_builtin_classes();
}

Window* find_window(HWND handle)
{
    Window* window = find_any_window(handle);
    return window != nullptr && !window->destroyed ? window : nullptr;
}

Window* find_any_window(HWND handle)
{
    auto& windows = state().windows;
    const auto found = windows.find(handle_number(handle));
    return found == windows.end() ? nullptr : found->second.get();
}

Menu* find_menu(HMENU handle)
{
    auto& menus = state().menus;
    const auto found = menus.find(handle_number(handle));
    return found == menus.end() ? nullptr : &found->second;
}

Bitmap* find_bitmap(HGDIOBJ handle)
{
    auto& bitmaps = state().bitmaps;
    const auto found = bitmaps.find(handle_number(handle));
    return found == bitmaps.end() ? nullptr : &found->second;
}

DeviceContext* find_dc(HDC handle)
{
    auto& dcs = state().device_contexts;
    const auto found = dcs.find(handle_number(handle));
    return found == dcs.end() ? nullptr : &found->second;
}

CursorObject* find_cursor(HCURSOR handle)
{
    auto& cursors = state().cursors;
    const auto found = cursors.find(handle_number(handle));
    return found == cursors.end() ? nullptr : &found->second;
}

Window* top_level_of(Window& window)
{
    Window* current = &window;
    while (current->parent != nullptr) {
        Window* parent = find_any_window(current->parent);
        if (parent == nullptr)
            break;
        current = parent;
    }
    return current;
}

QPoint client_screen_origin(const Window& window)
{
    if (!state().test_mode && window.client_widget != nullptr && window.client_widget->isVisible())
        return window.client_widget->mapToGlobal(QPoint(0, 0));
    if (window.parent != nullptr) {
        if (const Window* parent = find_any_window(window.parent))
            return client_screen_origin(*parent) + QPoint(window.x, window.y);
    }
    return QPoint(window.x + frame_left, window.y + frame_top);
}

QSize client_size(const Window& window)
{
    return QSize(window.width, window.height);
}

} // namespace win32_layer
