// tests/win32/menus_dialogs_test.cpp -- radio marks in a menu whose identifiers are out of
// order, greying, commands on the bar, and a modal dialog built from its template.
#include <gtest/gtest.h>

#include "test_program.h"

using namespace win32_test;
using test_program::events;

namespace {

class MenuDialogTest : public ::testing::Test {
protected:
    void SetUp() override { test_program::prepare(); }
};

bool marked(UINT id)
{
    return menu_item_checked(main_window(), id);
}

} // namespace

TEST_F(MenuDialogTest, RadioMarkOverTheItemsOfTheFirstItemsPopupAndGreying)
{
    add_step([] {
        const HMENU menu = GetMenu(main_window());
        // Every identifier of the range by value, whatever its place in the pop-up.
        EXPECT_TRUE(CheckMenuRadioItem(menu, 40001, 40037, 40036, MF_BYCOMMAND));
        EXPECT_TRUE(marked(40036));
        EXPECT_TRUE(CheckMenuRadioItem(menu, 40001, 40037, 40002, MF_BYCOMMAND));
        EXPECT_TRUE(marked(40002));
        EXPECT_FALSE(marked(40036));
        EXPECT_TRUE(CheckMenuRadioItem(menu, 40001, 40037, 40037, MF_BYCOMMAND));
        EXPECT_TRUE(marked(40037));
        EXPECT_FALSE(marked(40002));
        // "dix" (40010) lies in the range but in another pop-up: never marked, and the
        // range's own items are cleared.
        EXPECT_FALSE(CheckMenuRadioItem(menu, 40001, 40037, 40010, MF_BYCOMMAND));
        EXPECT_FALSE(marked(40010));
        EXPECT_FALSE(marked(40037));

        EXPECT_TRUE(ModifyMenuA(menu, 40039, MF_BYCOMMAND | MF_STRING | MF_GRAYED | MF_DISABLED, 40039,
                                "Ex\xE9" "cuter"));
        EXPECT_TRUE(DrawMenuBar(main_window()));
        EXPECT_TRUE(menu_item_greyed(main_window(), 40039));
        EXPECT_EQ(menu_item_text(main_window(), 40039), "Ex\xE9" "cuter");
        EXPECT_FALSE(choose_menu_item(main_window(), 40039));
        EXPECT_FALSE(choose_menu_item(main_window(), 12345));
        // The command directly on the bar is chosen like any item.
        EXPECT_TRUE(choose_menu_item(main_window(), test_program::colour_command));
        EXPECT_EQ(events.back(), "menu 200");
    });
    EXPECT_EQ(run_program(test_program::entry), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "menu 40039"), 0);
}

TEST_F(MenuDialogTest, ModalDialogFromItsTemplate)
{
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), test_program::dialog_command)); });
    add_step([] {
        const HWND dialog = active_dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(window_text(dialog), "Dialog");
        // Dialog units to pixels: x * 6 / 4 and y * 13 / 8, rounded as MulDiv rounds.
        const RECT radio = control_rect(dialog, 101);
        EXPECT_EQ(radio.left, 24);
        EXPECT_EQ(radio.top, 47);                 // 29 * 13 / 8 = 47.1
        EXPECT_EQ(radio.right - radio.left, 116); // 77 * 6 / 4 = 115.5
        EXPECT_EQ(radio.bottom - radio.top, 20);  // 12 * 13 / 8 = 19.5
        RECT client;
        ASSERT_TRUE(GetClientRect(dialog, &client));
        EXPECT_EQ(client.right, 228);
        EXPECT_EQ(client.bottom, 106);            // 65 * 13 / 8 = 105.6
        EXPECT_EQ(events.back(), "init");
        EXPECT_TRUE(button_checked(dialog, 102));
        EXPECT_TRUE(button_checked(dialog, 104));
        // The main window takes no input while the dialog is open.
        EXPECT_FALSE(choose_menu_item(main_window(), test_program::colour_command));
        click(main_window(), 5, 5);
        EXPECT_EQ(events.back(), "init");
    });
    add_step([] {
        // The automatic radio button is checked (and its group partner cleared) before
        // the dialog procedure hears of the click; another group keeps its mark.
        press_button(active_dialog(), 101);
        EXPECT_EQ(events.back(), "command 101 0 101 checked");
        EXPECT_FALSE(button_checked(active_dialog(), 102));
        EXPECT_TRUE(button_checked(active_dialog(), 104));
        press_escape(active_dialog());
        EXPECT_EQ(events.back(), "command 2 0 101 checked");
        press_close_box(active_dialog());
        EXPECT_EQ(events.back(), "command 2 0 101 checked");
        ASSERT_NE(active_dialog(), nullptr);   // IDCANCEL does not close this dialog
    });
    add_step([] { press_button(active_dialog(), IDOK); });
    add_step([] {
        EXPECT_EQ(active_dialog(), nullptr);
        EXPECT_EQ(test_program::last_dialog_result, test_program::dialog_result);
        EXPECT_TRUE(choose_menu_item(main_window(), test_program::colour_command));
    });
    EXPECT_EQ(run_program(test_program::entry), 0);
    EXPECT_TRUE(script_errors().empty());
}

TEST_F(MenuDialogTest, DialogLeftOpenIsAScriptError)
{
    add_step([] { choose_menu_item(main_window(), test_program::dialog_command); });
    EXPECT_EQ(run_program(test_program::entry), 0);
    EXPECT_EQ(test_program::last_dialog_result, 0);
    ASSERT_EQ(script_errors().size(), 1u);
    EXPECT_NE(script_errors()[0].find("\"Dialog\""), std::string::npos);
}
