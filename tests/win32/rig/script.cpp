// tests/win32/rig/script.cpp -- running the program under a script: the layer's hook runs the
// steps when a loop goes idle, answers the message boxes and keeps what was shown.
#include "script.h"

#include <QApplication>

#include <cstdlib>
#include <deque>
#include <exception>
#include <map>
#include <utility>

#include "application.h"
#include "dialogs.h"
#include "layer_state.h"

using namespace win32_layer;

namespace win32_test {
namespace {

struct Run {
    std::deque<Step> steps;
    std::vector<std::string> errors;
    std::function<int(const MessageBoxCall&)> answerer;
    std::vector<MessageBoxCall> message_boxes;
    std::map<HWND, std::vector<DrawnText>> drawn_texts;
    std::map<std::pair<HWND, int>, std::vector<std::string>> control_texts;
    HWND main_window = nullptr;
    bool close_requested = false;
    // A script step is running (not a handler it caused), for the loop that went idle:
    // a modal dialog's loop, or the program's loop (nullptr).
    bool in_step = false;
    HWND idle_dialog = nullptr;
};
Run run;

bool run_next_step(HWND idle_dialog)
{
    if (run.steps.empty())
        return false;
    const Step step = std::move(run.steps.front());
    run.steps.pop_front();
    const bool outer_in_step = std::exchange(run.in_step, true);
    const HWND outer_dialog = std::exchange(run.idle_dialog, idle_dialog);
    try {
        step();
    } catch (const std::exception& error) {
        run.errors.push_back(std::string("a script step failed: ") + error.what());
    }
    run.in_step = outer_in_step;
    run.idle_dialog = outer_dialog;
    return true;
}

bool loop_idle(HWND dialog)
{
    if (run_next_step(dialog))
        return true;
    if (dialog != nullptr) {
        run.errors.push_back("the dialog \"" + window_text(dialog) +
                             "\" was left open with no step left; it was ended with 0");
        EndDialog(dialog, 0);
    } else if (window_exists(run.main_window) && !run.close_requested) {
        run.close_requested = true;
        PostMessageA(run.main_window, WM_CLOSE, 0, 0);
    } else {
        run.errors.push_back(window_exists(run.main_window)
                                 ? "the main window stayed open after WM_CLOSE; the loop was ended"
                                 : "the message loop waited with no window left; the loop was ended");
        PostQuitMessage(0);
    }
    return true;
}

int message_box(HWND owner, const char* text, const char* caption, UINT type)
{
    const MessageBoxCall call{owner, text, caption, type};
    run.message_boxes.push_back(call);
    if (run.answerer)
        return run.answerer(call);
    return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}

void window_text_set(HWND handle, const char* text)
{
    const Window* window = find_window(handle);
    if (window->parent != nullptr)
        run.control_texts[{window->parent, window->child_id}].push_back(text);
    else if (run.main_window == nullptr)
        run.main_window = handle;
}

void text_drawn(HWND window, int x, int y, const char* text, int length, int height)
{
    run.drawn_texts[window].push_back({x, y, std::string(text, static_cast<size_t>(length)), height});
}

const LayerHook rig_hook{loop_idle, message_box, window_text_set, text_drawn};

// The offscreen platform cannot raise a window and says so each time; the rest is passed on.
QtMessageHandler qt_handler = nullptr;
void drop_raise_warnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QStringLiteral("does not support raise()")))
        qt_handler(type, context, message);
}

} // namespace

void deliver_step_input()
{
    if (!run.in_step)
        return;
    run.in_step = false;
    dispatch_queued(run.idle_dialog);
    run.in_step = true;
}

void add_step(Step step)
{
    run.steps.push_back(std::move(step));
}

int run_program(Entry entry)
{
    // The program draws on Qt's offscreen platform: no display is needed or used.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qt_handler == nullptr)
        qt_handler = qInstallMessageHandler(drop_raise_warnings);
    static int argc = 1;
    static char program_name[] = "korvane";
    static char* argv[] = {program_name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        // The application stays to the end of the process: destroyed among the exit handlers
        // it would reach Qt's globals, gone by then. The layer's Qt objects go before them.
        new QApplication(argc, argv);
        state();   // made before the exit handler that empties it
        std::atexit([] { state() = LayerState{}; });
    }
    start_application(argc, argv);

    std::deque<Step> steps = std::move(run.steps);
    std::function<int(const MessageBoxCall&)> answerer = std::move(run.answerer);
    run = Run{};
    run.steps = std::move(steps);
    run.answerer = std::move(answerer);
    set_hook(&rig_hook);
    char command_line[] = "";
    const int result = entry(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNORMAL);
    set_hook(nullptr);
    // Steps the program did not wait for (it ended first) are dropped; the records stay.
    run.steps.clear();
    run.answerer = nullptr;
    return result;
}

std::vector<std::string> script_errors()
{
    return run.errors;
}

HWND main_window()
{
    return run.main_window;
}

void answer_message_boxes(std::function<int(const MessageBoxCall&)> answer)
{
    run.answerer = std::move(answer);
}

std::vector<MessageBoxCall> message_boxes()
{
    return run.message_boxes;
}

std::vector<std::string> control_text_history(HWND window, int id)
{
    const auto texts = run.control_texts.find({window, id});
    return texts != run.control_texts.end() ? texts->second : std::vector<std::string>{};
}

std::vector<DrawnText> drawn_texts(HWND window)
{
    const auto texts = run.drawn_texts.find(window);
    return texts != run.drawn_texts.end() ? texts->second : std::vector<DrawnText>{};
}

} // namespace win32_test
