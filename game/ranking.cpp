#include "ranking.h"

#include <algorithm>
#include <utility>

#include "app_state.h"
#include "computer_player.h"
#include "resource.h"
#include "shape.h"
#include "tables.h"
#include "texts.h"

namespace {
constexpr int32_t ranking_games = networks * (networks - 1); // 1260
constexpr int16_t taken = -10; // below every tournament score
}

void rank_networks(HWND window)
{
    std::fill_n(score_table, networks_bound, int16_t{0});
    credit_both = 1;
    progress_step = static_cast<float>(100.0 / ranking_games);

    swap_boards(); // the live position waits in the spare board
    ranking_tournament(window);
    swap_boards();

    for (int32_t p = 1; p <= networks; ++p)
        copy_network(take_best_remaining(), p);
    swap_populations();
}

void ranking_tournament(HWND window)
{
    char text[64];
    int32_t games_played = 0;
    for (int32_t i = 1; i <= networks; ++i) {
        for (int32_t j = 1; j <= networks; ++j) {
            if (j == i)
                continue;
            tournament_game(i, j);
            ++games_played;
            wsprintfA(text, "  Je trie le r\xE9seau ... %d %%. ", progress_after(games_played));
            SetDlgItemTextA(window, IDC_STATUS, text);
        }
    }
    SetDlgItemTextA(window, IDC_STATUS, text_your_turn);
}

int32_t take_best_remaining()
{
    int32_t best = 1;
    for (int32_t n = 2; n <= networks; ++n) {
        if (score_table[n] > score_table[best])
            best = n;
    }
    score_table[best] = taken;
    return best;
}

void copy_network(int32_t n, int32_t p)
{
    std::copy_n(current_population + network_base(n) + 1, connections,
                next_population + network_base(p) + 1);
}

void swap_populations() { std::swap(current_population, next_population); }
