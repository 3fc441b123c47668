#include "ranking.h"

#include "app_state.h"
#include "computer_player.h"
#include "ranking_order.h"
#include "shape.h"

void rank_networks(HWND window)
{
    credit_both = 1;
    rank_by_tournament([window] {
        tournament_with_progress(window, networks, "  Je trie le r\xE9seau ... %d %%. ");
    });
}
