// tests/win32/message_loop_test.cpp -- creation and destruction messages, the quit message,
// handlers that run to their end while input waits, the status line, the pointer's position.
#include <gtest/gtest.h>

#include "layer_state.h"
#include "test_program.h"

using namespace win32_test;
using test_program::events;

namespace {

class LayerTest : public ::testing::Test {
protected:
    void SetUp() override { test_program::prepare(); }
};

std::vector<std::string> from(size_t first)
{
    return std::vector<std::string>(events.begin() + static_cast<std::ptrdiff_t>(first), events.end());
}

} // namespace

TEST_F(LayerTest, CreateInsideCreationDestroyOnDestructionQuitCodeEndsTheLoop)
{
    test_program::quit_code = 42;
    HWND created = nullptr;
    test_program::extra = [&created](HWND window, UINT message, WPARAM, LPARAM) {
        if (message == WM_CREATE)
            created = window;   // the main window is known, and its menu attached, already here
        return false;
    };
    add_step([&created] {
        EXPECT_EQ(created, main_window());
        EXPECT_EQ(window_text(main_window()), "Essai");
        EXPECT_EQ(control_text_history(main_window(), test_program::status_id),
                  std::vector<std::string>{" Bonjour "});
        EXPECT_EQ(events, (std::vector<std::string>{"create with menu"}));
        EXPECT_TRUE(DestroyWindow(main_window()));
        EXPECT_EQ(events.back(), "destroy");
        EXPECT_FALSE(window_exists(main_window()));
    });
    EXPECT_EQ(run_program(test_program::entry), 42);
    EXPECT_TRUE(script_errors().empty());
}

TEST_F(LayerTest, ClosingWhenIdleAndWindowDestroyedDuringCreation)
{
    // With no step left the layer closes the window: DefWindowProcA destroys it, and the
    // layer keeps nothing of it.
    EXPECT_EQ(run_program(test_program::entry), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"create with menu", "destroy"}));
    EXPECT_TRUE(win32_layer::state().windows.empty());
    EXPECT_TRUE(win32_layer::state().menus.empty());

    test_program::prepare();
    test_program::extra = [](HWND window, UINT message, WPARAM, LPARAM) {
        if (message != WM_CREATE)
            return false;
        MessageBoxA(window, "Pas de fichier.", "Impossible", MB_OK | MB_ICONERROR);
        DestroyWindow(window);
        return true;
    };
    EXPECT_EQ(run_program(test_program::entry), -2);   // CreateWindowExA gave no window
    ASSERT_EQ(message_boxes().size(), 1u);
    EXPECT_EQ(message_boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(script_errors().empty());
}

TEST_F(LayerTest, LongHandlerShowsItsTextsWhileClicksWaitInTheQueue)
{
    bool busy = false;
    test_program::extra = [&busy](HWND window, UINT message, WPARAM, LPARAM) {
        if (message != WM_LBUTTONDOWN || busy)
            return false;
        busy = true;
        events.push_back("long start");
        // The person clicks twice while the handler computes.
        click(window, 30, 40);
        click(window, 50, 60);
        char text[64];
        for (int percent = 50; percent <= 100; percent += 50) {
            wsprintfA(text, "  Je r\xE9" "fl\xE9" "chis ... %d %%. ", percent);
            SetDlgItemTextA(window, test_program::status_id, text);
            EXPECT_EQ(control_display_text(window, test_program::status_id), text);   // on screen already
        }
        events.push_back("long end");
        return true;
    };
    size_t before = 0;
    add_step([&before] {
        before = events.size();
        click(main_window(), 10, 20);
        EXPECT_EQ(from(before), (std::vector<std::string>{"long start", "long end", "down 30,40", "down 50,60"}));
        EXPECT_EQ(control_text(main_window(), test_program::status_id), "  Je r\xE9" "fl\xE9" "chis ... 100 %. ");
    });
    EXPECT_EQ(run_program(test_program::entry), 0);
    EXPECT_EQ(control_text_history(main_window(), test_program::status_id),
              (std::vector<std::string>{" Bonjour ", "  Je r\xE9" "fl\xE9" "chis ... 50 %. ",
                                        "  Je r\xE9" "fl\xE9" "chis ... 100 %. "}));
}

TEST_F(LayerTest, OuterSizeAndPointerAgreeWithTheClientArea)
{
    add_step([] {
        const HWND window = main_window();
        // The test program asks for 520 x 287: the frame that AdjustWindowRectEx counts is
        // the one taken off at creation.
        RECT client;
        ASSERT_TRUE(GetClientRect(window, &client));
        RECT outer = client;
        ASSERT_TRUE(AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, TRUE, 0));
        EXPECT_EQ(outer.right - outer.left, 520);
        EXPECT_EQ(outer.bottom - outer.top, 287);
        // Wherever the window stands, the pointer maps to the client point it is over.
        for (const QPoint moved_by : {QPoint(0, 0), QPoint(37, 23)}) {
            QWidget& frame = *win32_layer::find_window(window)->frame;
            frame.move(frame.pos() + moved_by);
            for (const POINT at : {POINT{0, 0}, POINT{130, 70}}) {
                move_pointer(window, at.x, at.y);
                POINT pointer;
                ASSERT_TRUE(GetCursorPos(&pointer));
                ASSERT_TRUE(ScreenToClient(window, &pointer));
                EXPECT_EQ(pointer.x, at.x);
                EXPECT_EQ(pointer.y, at.y);
            }
        }
    });
    EXPECT_EQ(run_program(test_program::entry), 0);
}

TEST_F(LayerTest, MessageBoxesAreAnsweredAndRecorded)
{
    std::vector<int> answers;
    add_step([&answers] {
        answers.push_back(MessageBoxA(main_window(), "Encore ?", "Fin", MB_YESNO));
        answers.push_back(MessageBoxA(main_window(), "Passez votre tour !", "Vous", MB_OK));
        answer_message_boxes([](const MessageBoxCall& call) { return call.type == MB_YESNO ? IDYES : IDOK; });
        answers.push_back(MessageBoxA(main_window(), "Encore ?", "Fin", MB_YESNO));
    });
    EXPECT_EQ(run_program(test_program::entry), 0);
    EXPECT_EQ(answers, (std::vector<int>{IDNO, IDOK, IDYES}));
    ASSERT_EQ(message_boxes().size(), 3u);
    EXPECT_EQ(message_boxes()[1].text, "Passez votre tour !");
    EXPECT_EQ(message_boxes()[1].caption, "Vous");
    EXPECT_EQ(message_boxes()[2].owner, main_window());
}
