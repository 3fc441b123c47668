#include "computer_player.h"

#include <memory>

#include "all_play_all.h"
#include "app_state.h"
#include "board.h"
#include "image_file.h"
#include "resource.h"
#include "shape.h"
#include "tables.h"
#include "texts.h"
#include "tournament_choice.h"

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
    // Opened for reading and writing, as ever, though never written.
    switch (read_image(hall_of_fame_file_name, current_population, Access::read_write).status) {
    case FileStatus::done:
        return 1;
    case FileStatus::cannot_open:
        MessageBoxA(window, "Ouverture du fichier des connexions ne se fait pas.  ",
                    caption_cannot_start, MB_OK | MB_ICONERROR);
        return 0;
    case FileStatus::read_failed:
    case FileStatus::incomplete:
    case FileStatus::write_failed: // a read does not write
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

int32_t progress_after(int32_t games_played)
{
    // The product of a float and a small count is exact in double precision; only
    // the truncation rounds, so the last game of three shows 99 as the step is a
    // little below 100 / 6.
    return static_cast<int32_t>(static_cast<double>(games_played) * static_cast<double>(progress_step));
}

void thinking_tournament(HWND window)
{
    play_ordered_pairs(level, credit_both == 1, [window](int32_t games_played) {
        char text[64];
        wsprintfA(text, "  Je r\xE9" "fl\xE9" "chis ... %d %%. ", progress_after(games_played));
        SetDlgItemTextA(window, IDC_STATUS, text);
    });
    SetDlgItemTextA(window, IDC_STATUS, text_your_turn);
}

int32_t computer_move(uint8_t colour, HWND window)
{
    // Level 1 plays no game: the step stays 0 instead of dividing by zero.
    const int32_t games = level * (level - 1);
    progress_step = games > 0 ? static_cast<float>(100.0 / games) : 0.0f;
    const int32_t square = tournament_choice(colour, [window] { thinking_tournament(window); });
    // Outputs that are all minus infinity (a corrupt file) leave no square to choose:
    // the computer then plays nothing rather than writing to cell 0.
    if (square != 0)
        play_move(square, colour);
    return square;
}
