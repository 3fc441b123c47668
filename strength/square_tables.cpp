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

namespace {

void spread(const ClassValues& classes, int32_t (&values)[64])
{
    for (int32_t s = 1; s <= 64; ++s)
        values[s - 1] = classes[static_cast<size_t>(square_class(s))];
}

} // namespace

void square_values(Opponent opponent, int32_t (&values)[64])
{
    if (table_number(opponent) != 0)
        return spread(family_table(table_number(opponent)), values);
    switch (opponent) {
    case Opponent::novice: return spread(novice_values, values);
    case Opponent::quiet: return spread(quiet_values, values);
    default:
        for (int32_t s = 1; s <= 64; ++s)
            values[s - 1] = wpc_weight(s);
    }
}

SquareTable square_table(const int32_t (&values)[64])
{
    SquareTable table{};
    for (int32_t s = 0; s < 64; ++s) {
        table.values[s] = values[s];
        int32_t k = 0;
        while (k < table.groups && table.group_values[k] > values[s])
            ++k;
        if (k == table.groups || table.group_values[k] != values[s]) {
            for (int32_t j = table.groups++; j > k; --j) {
                table.group_values[j] = table.group_values[j - 1];
                table.group_squares[j] = table.group_squares[j - 1];
            }
            table.group_values[k] = values[s];
            table.group_squares[k] = 0;
        }
        table.group_squares[k] |= uint64_t{1} << s;
    }
    return table;
}
