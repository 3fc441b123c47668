#include "square_tables.h"

#include "protocol_kernels.h"
#include "tool_random.h"

ClassValues family_table(int32_t n)
{
    uint64_t state = mix_seed(family_code, static_cast<uint64_t>(n));
    ClassValues values{};
    for (size_t c = 0; c < values.size(); ++c)
        values[c] = family_ranges[c].low + draw_below_from(state, family_ranges[c].high - family_ranges[c].low + 1);
    return values;
}

ClassValues square_values(Opponent opponent)
{
    if (table_number(opponent) != 0)
        return family_table(table_number(opponent));
    switch (opponent) {
    case Opponent::novice: return novice_values;
    case Opponent::quiet: return quiet_values;
    default: return wpc_values;
    }
}

SquareTable square_table(const ClassValues& values)
{
    SquareTable table{};
    for (int32_t s = 1; s <= 64; ++s)
        table.by_square[s - 1] = values[static_cast<size_t>(square_class(s))];
    for (int32_t c = 0; c < square_classes; ++c) {
        table.values[c] = values[static_cast<size_t>(c)];
        int32_t at = c;
        for (; at > 0 && values[static_cast<size_t>(table.order[at - 1])] < values[static_cast<size_t>(c)]; --at)
            table.order[at] = table.order[at - 1];
        table.order[at] = c;
    }
    return table;
}
