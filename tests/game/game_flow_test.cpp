// The course of a game: passes on either side, the end of the game and its question.
#include "game_fixture.h"

#include "app_state.h"
#include "board.h"
#include "tables.h"

using namespace win32_test;

namespace {
const std::string computer_passes = " L'ordinateur passe mon tour !";
const std::string person_passes = "Passez votre tour !";
const std::string end_question = "Voulez-vous refaire une autre partie ?";

const Diagram opening = {"........", "........", "........", "...WB...",
                         "...BW...", "........", "........", "........"};

int32_t empty_squares()
{
    const PieceCount count = count_pieces();
    return 64 - count.white - count.black;
}

// Sets `position` with white to move, then clicks `square`.
void play_from(const Diagram& position, int32_t square)
{
    add_step([position] { set_position(position); });
    add_step([square] {
        ASSERT_EQ(legal_move_map[square], 1);
        click_square(square);
    });
}
}

TEST_F(GameTest, ComputerPassesAndThePersonMovesAgain)
{
    write_hall(preference_hall());
    // After white's move on square 48 black has no move, white still has.
    play_from({"WBBBB...", "WWBBBBBB", "BBWWWWBB", "BBWWWWBW", "BBBWBBWB", "BBBBBWB.", "B..BBBBB", "..BBBWWW"}, 48);
    int32_t empties = 0;
    add_step([&empties] {
        empties = empty_squares();
        EXPECT_EQ(side_to_move, white);
        EXPECT_EQ(message_texts(), std::vector<std::string>{computer_passes});
        EXPECT_EQ(message_boxes().at(0).caption, "Il ne peux pas retourner de pions.");
        EXPECT_EQ(message_boxes().at(0).type, static_cast<UINT>(MB_OK));
    });
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(empties, 7); // only the person's move was played
}

TEST_F(GameTest, PersonPassesAndTheComputerMovesAgainWithoutAClick)
{
    write_hall(preference_hall());
    // White 58, black 59 (network 1's choice): white cannot move, black can.
    play_from({".WWWWBBB", "WWWWWWBB", "BWWBWBBW", "BWWBBBBW", "BWWBBBWW", "BBBBWWWW", "BBBBWW.W", "B..BWWWW"}, 58);
    EXPECT_EQ(run(), 0);
    const std::vector<std::string> texts = message_texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], person_passes);
    EXPECT_EQ(message_boxes()[0].caption, "Vous ne pouvez pas retourner de pions.");
    EXPECT_EQ(current_board[59], black);
    EXPECT_LE(empty_squares(), 1); // the computer went on with a second move
}

TEST_F(GameTest, BothPassComputerFirstThenTheEndQuestionAndNoEndsTheProgram)
{
    write_hall(preference_hall());
    // After white's move on square 10 neither side can move; the board is not full.
    play_from({".WWWWWWW", "B.WWWWWW", "BBBWWBWW", "BBBWWBWW", "BBWBWBWW", "BBBWWWWW", "BBBBWWWW", "BBBBWWWW"}, 10);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(message_texts(), (std::vector<std::string>{computer_passes, person_passes, end_question}));
    EXPECT_EQ(message_boxes().back().caption, "La partie est termin\xE9" "e !");
    EXPECT_EQ(message_boxes().back().type, static_cast<UINT>(MB_YESNO));
    EXPECT_FALSE(window_exists(main_window()));
}

TEST_F(GameTest, BothPassPersonFirstAfterTheComputersMove)
{
    write_hall(preference_hall());
    // White 3, then black 10 (network 1's choice) leaves neither side a move.
    play_from({".W.BBBBW", "B.BBBWWB", "BBBBWWBB", "BWBBWBBB", "BWBBBWBB", "BBWBWBBB", "BBBWWBBB", "BBBBWBBB"}, 3);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(message_texts(), (std::vector<std::string>{person_passes, computer_passes, end_question}));
    EXPECT_EQ(current_board[10], black);
}

TEST_F(GameTest, FullBoardAsksAtOnceAndYesStartsAFreshGame)
{
    write_hall(preference_hall());
    answer_message_boxes([](const MessageBoxCall& call) { return call.type == MB_YESNO ? IDYES : IDOK; });
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_RANK)); }); // ranking: "Executer" greyed
    add_step([] {
        EXPECT_EQ(credit_both, 1);
        EXPECT_TRUE(choose_menu_item(main_window(), IDM_LEVEL_3));
    });
    play_from({"WBBBBBWW", "WWBBBBBW", "BBWWWBWW", "BBWWBBWW", "BBWBBBWW", "BBBBBWWW", "BBBBBBWW", ".BBBBWWW"}, 57);
    add_step([] {
        EXPECT_EQ(message_texts(), std::vector<std::string>{end_question});
        const HWND window = main_window();
        EXPECT_EQ(position_now(), opening);
        EXPECT_EQ(side_to_move, white);
        EXPECT_EQ(human_colour, white);
        EXPECT_EQ(level, 1);
        EXPECT_EQ(credit_both, 0);
        EXPECT_TRUE(menu_item_checked(window, IDM_LEVEL_1));
        EXPECT_FALSE(menu_item_checked(window, IDM_LEVEL_3));
        EXPECT_TRUE(menu_item_greyed(window, IDM_RANK));
        EXPECT_FALSE(choose_menu_item(window, IDM_RANK));
        // The repaint drew the empty board under the pieces.
        EXPECT_EQ(client_pixel(window, 14, 14), 0xC0C0C0u);
        EXPECT_EQ(client_pixel(window, 1 + 30 * 7 + 13, 1 + 30 * 7 + 13), 0xC0C0C0u);
        EXPECT_EQ(legal_move_map[21], 1);
    });
    EXPECT_EQ(run(), 0);
}

TEST_F(GameTest, CompleteGameAtLevelThreePlayedByClicks)
{
    write_hall(random_hall(7));
    // The final position is read when the question comes; Yes then leaves the program
    // running, so that the turns stop by themselves.
    Diagram final_position;
    answer_message_boxes([&final_position](const MessageBoxCall& call) {
        if (call.type != MB_YESNO)
            return IDOK;
        final_position = position_now();
        return IDYES;
    });
    add_step([] { EXPECT_TRUE(choose_menu_item(main_window(), IDM_LEVEL_3)); });
    int32_t clicks = 0;
    std::function<void()> person_turn = [&] {
        if (!final_position.empty())
            return;
        // The person plays the lowest legal square.
        for (int32_t s = 1; s <= 64; ++s) {
            if (legal_move_map[s] == 1) {
                ++clicks;
                click_square(s);
                add_step(person_turn);
                return;
            }
        }
        ADD_FAILURE() << "waiting for a click without a legal move";
    };
    add_step(person_turn);
    EXPECT_EQ(run(), 0);
    ASSERT_FALSE(message_texts().empty());
    EXPECT_EQ(message_texts().back(), end_question);
    EXPECT_GE(clicks, 10);
    // The game ended for real: full board, a colour gone, or neither side can move.
    set_position(final_position);
    const PieceCount count = count_pieces();
    bool any_move = false;
    for (const uint8_t side : {white, black}) {
        find_legal_moves(side);
        for (int32_t s = 1; s <= 64; ++s)
            any_move = any_move || legal_move_map[s] == 1;
    }
    EXPECT_TRUE(count.white + count.black == 64 || count.white == 0 || count.black == 0 || !any_move);
    // Each computer move showed the six level-3 progress texts and then the prompt.
    const std::vector<std::string> history = status_history();
    int32_t prompts = 0;
    for (size_t k = 1; k < history.size(); ++k) {
        if (history[k] == "  A vous de jouer ! ") {
            ++prompts;
            ASSERT_GE(k, 7u);
            EXPECT_EQ(history[k - 1], "  Je r\xE9" "fl\xE9" "chis ... 99 %. ");
            EXPECT_EQ(history[k - 6], "  Je r\xE9" "fl\xE9" "chis ... 16 %. ");
        }
    }
    EXPECT_EQ(history.size(), 1u + 7u * static_cast<size_t>(prompts));
    EXPECT_GE(prompts, 5);
}
