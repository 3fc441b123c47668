#include "ranking.h"

#include <cstdint>

#include "all_play_all.h"
#include "app_state.h"
#include "computer_player.h"
#include "ranking_order.h"
#include "resource.h"
#include "shape.h"
#include "texts.h"

namespace {
constexpr int32_t ranking_games = networks * (networks - 1); // 1260
}

void rank_networks(HWND window)
{
    credit_both = 1;
    progress_step = static_cast<float>(100.0 / ranking_games);
    rank_by_tournament([window] { ranking_tournament(window); });
}

void ranking_tournament(HWND window)
{
    play_ordered_pairs(networks, credit_both == 1, [window](int32_t games_played) {
        char text[64];
        wsprintfA(text, "  Je trie le r\xE9seau ... %d %%. ", progress_after(games_played));
        SetDlgItemTextA(window, IDC_STATUS, text);
    });
    SetDlgItemTextA(window, IDC_STATUS, text_your_turn);
}
