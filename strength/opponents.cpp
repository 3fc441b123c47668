#include "opponents.h"

#include <cstring>

#include "protocol_kernels.h"

const char* opponent_name(Opponent opponent)
{
    switch (opponent) {
    case Opponent::random: return "random";
    case Opponent::greedy: return "greedy";
    case Opponent::wpc: return "wpc";
    case Opponent::wpc_ab2: return "wpc-ab2";
    case Opponent::wpc_ab4: return "wpc-ab4";
    }
    return "?";
}

bool opponent_from_name(const char* name, Opponent& opponent)
{
    for (Opponent o : all_opponents)
        if (std::strcmp(name, opponent_name(o)) == 0) {
            opponent = o;
            return true;
        }
    return false;
}

int32_t wpc_value(uint8_t side) { return protocol_kernels().wpc_value(side); }

int32_t wpc_search_value(uint8_t side, int32_t plies) { return protocol_kernels().wpc_search_value(side, plies); }

int32_t wpc_best_squares(uint8_t side, int32_t plies, int32_t (&squares)[64])
{
    return protocol_kernels().wpc_best_squares(side, plies, squares);
}
