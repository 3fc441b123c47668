#include "computer_player.h"

#include "all_play_all.h"
#include "app_state.h"
#include "board.h"
#include "image_file.h"
#include "resource.h"
#include "tables.h"
#include "texts.h"
#include "tournament_choice.h"

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

void tournament_with_progress(HWND window, int32_t last, const char* format)
{
    // Level 1 plays no game: the step stays 0 instead of dividing by zero.
    const int32_t games = last * (last - 1);
    const float step = games > 0 ? static_cast<float>(100.0 / games) : 0.0f;
    play_ordered_pairs(last, credit_both == 1, [window, format, step](int32_t games_played) {
        // The product of a float and a small count is exact in double precision; only
        // the truncation rounds, so the last game of three shows 99 as the step is a
        // little below 100 / 6.
        const auto percent = static_cast<int32_t>(static_cast<double>(games_played) * static_cast<double>(step));
        char text[64];
        wsprintfA(text, format, percent);
        SetDlgItemTextA(window, IDC_STATUS, text);
    });
    SetDlgItemTextA(window, IDC_STATUS, text_your_turn);
}

int32_t computer_move(uint8_t colour, HWND window)
{
    const int32_t square = tournament_choice(colour, [window] {
        tournament_with_progress(window, level, "  Je r\xE9" "fl\xE9" "chis ... %d %%. ");
    });
    // Outputs that are all minus infinity (a corrupt file) leave no square to choose:
    // the computer then plays nothing rather than writing to cell 0.
    if (square != 0)
        play_move(square, colour);
    return square;
}
