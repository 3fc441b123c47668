// The frame of the program: start-up, menus, levels, the two dialogs, loading failures.
#include "game_fixture.h"

#include "app_state.h"
#include "board.h"
#include "tables.h"

using namespace win32_test;

namespace {
const Diagram opening = {"........", "........", "........", "...WB...",
                         "...BW...", "........", "........", "........"};
}

TEST_F(GameTest, StartsAtLevelOneAndTheLevelItemsSetTheirOwnLevels)
{
    write_hall(preference_hall());
    add_step([] {
        const HWND window = main_window();
        EXPECT_EQ(window_text(window), "Jeu d'Elvarin avec r\xE9seaux de neurones");
        EXPECT_TRUE(menu_item_checked(window, IDM_LEVEL_1));
        EXPECT_FALSE(menu_item_greyed(window, IDM_RANK));
        EXPECT_EQ(level, 1);
        EXPECT_EQ(human_colour, white);
        EXPECT_EQ(side_to_move, white);
        EXPECT_EQ(status_history(), std::vector<std::string>{" A vous de jouer ! "});
        EXPECT_TRUE(choose_menu_item(window, IDM_LEVEL_36));
    });
    add_step([] {
        EXPECT_EQ(level, 36); // whatever the order of the identifiers
        EXPECT_TRUE(menu_item_checked(main_window(), IDM_LEVEL_36));
        EXPECT_FALSE(menu_item_checked(main_window(), IDM_LEVEL_1));
        EXPECT_TRUE(choose_menu_item(main_window(), IDM_LEVEL_3));
    });
    add_step([] {
        EXPECT_EQ(level, 3);
        EXPECT_TRUE(choose_menu_item(main_window(), IDM_LEVEL_1));
    });
    add_step([] {
        EXPECT_EQ(level, 1);
        EXPECT_TRUE(menu_item_checked(main_window(), IDM_LEVEL_1));
        EXPECT_FALSE(menu_item_checked(main_window(), IDM_LEVEL_3));
        // Nothing of the game moved, and an unknown command does nothing either.
        EXPECT_EQ(position_now(), opening);
        EXPECT_EQ(side_to_move, white);
        PostMessageA(main_window(), WM_COMMAND, 12345, 0);
    });
    add_step([] { EXPECT_TRUE(window_exists(main_window())); });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(message_boxes().empty());
}

TEST_F(GameTest, ColourDialogClosesOnlyWithOkAndHandsTheFirstMoveToTheComputer)
{
    write_hall(preference_hall());
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_CHANGE_COLOUR)); });
    add_step([] {
        const HWND dialog = active_dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(window_text(dialog), "Dialog");
        EXPECT_TRUE(button_checked(dialog, IDC_WHITE));
        EXPECT_FALSE(button_checked(dialog, IDC_BLACK));
        press_escape(dialog);
    });
    add_step([] {
        const HWND dialog = active_dialog();
        ASSERT_NE(dialog, nullptr);
        press_close_box(dialog);
    });
    add_step([] {
        const HWND dialog = active_dialog();
        ASSERT_NE(dialog, nullptr);
        press_button(dialog, IDC_BLACK);
    });
    add_step([] {
        const HWND dialog = active_dialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(button_checked(dialog, IDC_BLACK));
        EXPECT_FALSE(button_checked(dialog, IDC_WHITE));
        EXPECT_EQ(human_colour, black); // taken at the click, before OK
        EXPECT_EQ(count_pieces().white, 2);
        press_button(dialog, IDOK);
    });
    add_step([] {
        EXPECT_EQ(active_dialog(), nullptr);
        // The computer has played white's first move; black is to move.
        EXPECT_EQ(count_pieces().white, 4);
        EXPECT_EQ(count_pieces().black, 1);
        EXPECT_EQ(side_to_move, black);
        EXPECT_EQ(drawn_texts(main_window()).at(drawn_texts(main_window()).size() - 3).text,
                  "Vous jouez avec  la  couleur  noire.  ");
    });
    EXPECT_EQ(run(), 0);
}

TEST_F(GameTest, ColourDialogWithTheSameColourChangesNothing)
{
    write_hall(preference_hall());
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_CHANGE_COLOUR)); });
    add_step([] { press_button(active_dialog(), IDOK); });
    add_step([] {
        EXPECT_EQ(active_dialog(), nullptr);
        EXPECT_EQ(position_now(), opening);
        EXPECT_EQ(side_to_move, white);
        EXPECT_EQ(status_history().size(), 1u); // the computer did not think
    });
    EXPECT_EQ(run(), 0);
}

TEST_F(GameTest, AboutBoxClosesWithOkEscapeOrTheCloseBox)
{
    write_hall(preference_hall());
    const std::function<void(HWND)> closings[] = {
        [](HWND dialog) { press_button(dialog, IDOK); },
        [](HWND dialog) { press_escape(dialog); },
        [](HWND dialog) { press_close_box(dialog); },
    };
    for (const auto& close : closings) {
        add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_ABOUT)); });
        add_step([close] {
            ASSERT_NE(active_dialog(), nullptr);
            EXPECT_EQ(window_text(active_dialog()), "Elvarin par r\xE9seaux de neurones");
            close(active_dialog());
        });
        add_step([] { EXPECT_EQ(active_dialog(), nullptr); });
    }
    EXPECT_EQ(run(), 0);
}

TEST_F(GameTest, FermerClosesAtOnceWithoutAQuestion)
{
    write_hall(preference_hall());
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_CLOSE)); });
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(message_boxes().empty());
    EXPECT_FALSE(window_exists(main_window()));
}

TEST_F(GameTest, LoadingFailuresTellTheUserAndEndBeforeTheWindowShows)
{
    struct Case {
        bool make_file;
        size_t bytes;
        const char* text;
    };
    const Case cases[] = {
        {false, 0, "Ouverture du fichier des connexions ne se fait pas.  "},
        {true, population_bytes - 1, "Echec en lecture du fichier des connexions.  "},
        {true, 17044, "Echec en lecture du fichier des connexions.  "},
    };
    for (const Case& c : cases) {
        std::filesystem::remove("meillfl.don");
        if (c.make_file)
            write_hall(preference_hall(), c.bytes);
        EXPECT_EQ(run(), 0);
        ASSERT_EQ(message_boxes().size(), 1u);
        EXPECT_EQ(message_boxes()[0].text, c.text);
        EXPECT_EQ(message_boxes()[0].caption, "Impossible de d\xE9marrer la partie ! ");
        EXPECT_EQ(message_boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        // Never painted, no status line: the window was not shown.
        EXPECT_TRUE(drawn_texts(main_window()).empty());
        EXPECT_TRUE(control_text_history(main_window(), IDC_STATUS).empty());
        EXPECT_FALSE(window_exists(main_window()));
    }
}
