#include "game_flow.h"

#include "app_state.h"
#include "board.h"
#include "computer_player.h"
#include "display.h"
#include "resource.h"
#include "tables.h"

namespace {
constexpr int32_t no_turn_yet = -1; // the person's result before the person's first turn
}

void handle_click(HWND window)
{
    const int32_t square = square_under_pointer(window);
    if (square == 0 || legal_move_map[square] != 1)
        return; // no sound and no message
    play_move(square, side_to_move);
    redraw_pieces(window); // the texts follow with computer_reply
    computer_reply(window); // the computer's whole answer, before this handler ends
}

void computer_reply(HWND window)
{
    track_pointer(window);
    int32_t person_result = no_turn_yet;
    for (;;) {
        if (game_over)
            break;
        side_to_move = other_colour(side_to_move);
        int32_t computer_result = start_turn(window);
        if (game_over)
            break;
        if (computer_result == 0 && person_result == 0) {
            end_game(window);
            break;
        }
        if (computer_result == 1) {
            // A computer that finds no square to choose has not moved: it counts as
            // a pass, so two such turns in a row end the game instead of looping.
            if (computer_move(side_to_move, window) == 0)
                computer_result = 0;
            paint_board(window);
            track_pointer(window);
        }
        side_to_move = other_colour(side_to_move);
        person_result = start_turn(window);
        if (person_result == 1)
            break;
        if (computer_result == 0 && person_result == 0) {
            if (!game_over)
                end_game(window);
            break;
        }
    }
    game_over = 0;
}

int32_t start_turn(HWND window)
{
    find_legal_moves(side_to_move);
    check_game_end(window);
    if (game_over)
        return 0;
    for (int32_t s = 1; s <= 64; ++s) {
        if (legal_move_map[s] == 1)
            return 1;
    }
    if (side_to_move == human_colour)
        MessageBoxA(window, "Passez votre tour !", "Vous ne pouvez pas retourner de pions.", MB_OK);
    else
        MessageBoxA(window, " L'ordinateur passe mon tour !", "Il ne peux pas retourner de pions.", MB_OK);
    return 0;
}

void check_game_end(HWND window)
{
    const PieceCount count = count_pieces();
    if (count.white + count.black == 64 || count.white == 0 || count.black == 0)
        end_game(window);
}

void end_game(HWND window)
{
    if (MessageBoxA(window, "Voulez-vous refaire une autre partie ?", "La partie est termin\xE9" "e !", MB_YESNO)
        == IDYES) {
        reset_board();
        new_game();
        CheckMenuRadioItem(GetMenu(window), IDM_LEVEL_FIRST, IDM_LEVEL_LAST, IDM_LEVEL_1, MF_BYCOMMAND);
        paint_board(window);
    } else {
        DestroyWindow(window);
    }
    game_over = 1;
}
