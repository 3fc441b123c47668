#include "computer_player.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "app_state.h"
#include "board.h"
#include "hall_of_fame_load.h"
#include "match.h"
#include "network.h"
#include "resource.h"
#include "shape.h"
#include "tables.h"
#include "texts.h"

namespace {
// The two population blocks, whichever of them is current, and the activation array.
std::unique_ptr<float[]> first_population_block;
std::unique_ptr<float[]> second_population_block;
std::unique_ptr<float[]> activation_block;
}

void allocate_network_buffers()
{
    first_population_block = std::make_unique<float[]>(population_floats);
    second_population_block = std::make_unique<float[]>(population_floats);
    activation_block = std::make_unique<float[]>(activation_floats);
    current_population = first_population_block.get();
    next_population = second_population_block.get();
    activations = activation_block.get();
}

int32_t load_hall_of_fame(HWND window)
{
    switch (load_hall_of_fame_file(current_population)) {
    case HallOfFameLoad::loaded:
        return 1;
    case HallOfFameLoad::cannot_open:
        MessageBoxA(window, "Ouverture du fichier des connexions ne se fait pas.  ",
                    caption_cannot_start, MB_OK | MB_ICONERROR);
        return 0;
    case HallOfFameLoad::read_failed:
        break;
    }
    // A read error, or a file too short to hold all 36 networks.
    MessageBoxA(window, "Echec en lecture du fichier des connexions.  ", caption_cannot_start,
                MB_OK | MB_ICONERROR);
    return 0;
}

void release_population()
{
    if (current_population == first_population_block.get())
        first_population_block.reset();
    else if (current_population == second_population_block.get())
        second_population_block.reset();
    current_population = nullptr;
}

void swap_boards() { std::swap(current_board, spare_board); }

int32_t progress_after(int32_t games_played)
{
    // The product of a float and a small count is exact in double precision; only
    // the truncation rounds, so the last game of three shows 99 as the step is a
    // little below 100 / 6.
    return static_cast<int32_t>(static_cast<double>(games_played) * static_cast<double>(progress_step));
}

void tournament_game(int32_t i, int32_t j)
{
    reset_board();
    play_match(i, j);
    const MatchPoints points = score_match();
    score_table[i] = static_cast<int16_t>(score_table[i] + points.colour1);
    if (credit_both == 1)
        score_table[j] = static_cast<int16_t>(score_table[j] + points.colour2);
}

void thinking_tournament(HWND window)
{
    char text[64];
    int32_t games_played = 0;
    for (int32_t i = 1; i <= level; ++i) {
        for (int32_t j = 1; j <= level; ++j) {
            if (j == i)
                continue;
            tournament_game(i, j);
            ++games_played;
            wsprintfA(text, "  Je r\xE9" "fl\xE9" "chis ... %d %%. ", progress_after(games_played));
            SetDlgItemTextA(window, IDC_STATUS, text);
        }
    }
    SetDlgItemTextA(window, IDC_STATUS, text_your_turn);
}

int32_t best_network()
{
    int32_t best = 1;
    for (int32_t n = 2; n <= networks; ++n) {
        if (score_table[n] > score_table[best])
            best = n;
    }
    return best;
}

int32_t computer_move(uint8_t colour, HWND window)
{
    std::fill_n(score_table, networks_bound, int16_t{0});
    // Level 1 plays no game: the step stays 0 instead of dividing by zero.
    const int32_t games = level * (level - 1);
    progress_step = games > 0 ? static_cast<float>(100.0 / games) : 0.0f;

    swap_boards(); // the live position waits in the spare board
    thinking_tournament(window);
    swap_boards();

    encode_inputs(colour);
    evaluate_network(best_network());
    const int32_t square = choose_move(colour);
    // Outputs that are all minus infinity (a corrupt file) leave no square to choose:
    // the computer then plays nothing rather than writing to cell 0.
    if (square != 0)
        play_move(square, colour);
    return square;
}
