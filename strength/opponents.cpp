#include "opponents.h"

#include "number_arguments.h"
#include "protocol_kernels.h"
#include "square_tables.h"

namespace {

const char* named_opponent_name(Opponent opponent)
{
    switch (opponent) {
    case Opponent::random: return "random";
    case Opponent::greedy: return "greedy";
    case Opponent::wpc: return "wpc";
    case Opponent::wpc_ab2: return "wpc-ab2";
    case Opponent::wpc_ab4: return "wpc-ab4";
    case Opponent::mobility: return "mobility";
    case Opponent::mobility_ab2: return "mobility-ab2";
    case Opponent::mobility_ab4: return "mobility-ab4";
    case Opponent::novice: return "novice";
    case Opponent::quiet: return "quiet";
    }
    return nullptr;
}

constexpr char table_prefix[] = "table-";
constexpr char search_suffix[] = "-ab2";

// "17" of "table-17" or "table-17-ab2": digits without a leading zero, 1 .. largest_table.
bool table_from_name(const std::string& name, Opponent& opponent)
{
    if (name.rfind(table_prefix, 0) != 0)
        return false;
    std::string number = name.substr(sizeof table_prefix - 1);
    int32_t plies = 1;
    if (number.size() > sizeof search_suffix - 1 &&
        number.compare(number.size() - (sizeof search_suffix - 1), std::string::npos, search_suffix) == 0) {
        number.resize(number.size() - (sizeof search_suffix - 1));
        plies = 2;
    }
    int64_t n = 0;
    if (number.empty() || number[0] == '0' || number.find_first_not_of("0123456789") != std::string::npos ||
        !parse_whole_number(number.c_str(), 1, largest_table, n))
        return false;
    opponent = table_opponent(static_cast<int32_t>(n), plies);
    return true;
}

} // namespace

std::string opponent_name(Opponent opponent)
{
    const int32_t n = table_number(opponent);
    if (n == 0) {
        const char* name = named_opponent_name(opponent);
        return name ? name : "?";
    }
    return table_prefix + std::to_string(n) + (opponent_plies(opponent) == 2 ? search_suffix : "");
}

bool opponent_from_name(const std::string& name, Opponent& opponent)
{
    for (Opponent o : named_opponents)
        if (name == named_opponent_name(o)) {
            opponent = o;
            return true;
        }
    return table_from_name(name, opponent);
}

bool opponent_from_code(int32_t code, Opponent& opponent)
{
    const auto candidate = static_cast<Opponent>(code);
    const int32_t n = table_number(candidate);
    const bool known = n != 0 ? code / family_code <= 2 : named_opponent_name(candidate) != nullptr;
    if (known)
        opponent = candidate;
    return known;
}

Style opponent_style(Opponent opponent)
{
    switch (opponent) {
    case Opponent::random: return Style::random;
    case Opponent::greedy: return Style::greedy;
    case Opponent::mobility:
    case Opponent::mobility_ab2:
    case Opponent::mobility_ab4: return Style::mobility;
    default: return Style::squares;
    }
}

int32_t opponent_plies(Opponent opponent)
{
    if (table_number(opponent) != 0)
        return static_cast<int32_t>(opponent) / family_code;
    switch (opponent) {
    case Opponent::random:
    case Opponent::greedy: return 0;
    case Opponent::wpc_ab2:
    case Opponent::mobility_ab2: return 2;
    case Opponent::wpc_ab4:
    case Opponent::mobility_ab4: return 4;
    default: return 1;
    }
}

const Mover& mover_of(Opponent opponent)
{
    // The movers made last, one place for each code modulo the places, so that games
    // that switch among a few members of the family of tables make each once.
    constexpr int32_t places = 64;
    static Opponent made[places] = {};
    static Mover movers[places] = {};
    const int32_t place = static_cast<int32_t>(opponent) % places;
    Mover& mover = movers[place];
    if (made[place] == opponent)
        return mover;
    const Style style = opponent_style(opponent);
    constexpr Mover::Kind kinds[] = {Mover::Kind::random, Mover::Kind::greedy, Mover::Kind::squares,
                                     Mover::Kind::mobility};
    mover = {kinds[static_cast<int32_t>(style)], opponent_plies(opponent),
             square_table(square_values(style == Style::squares ? opponent : Opponent::wpc))};
    made[place] = opponent;
    return mover;
}

int32_t evaluation_value(Opponent opponent, uint8_t side)
{
    return protocol_kernels().evaluation_value(mover_of(opponent), side);
}

int32_t search_value(Opponent opponent, uint8_t side) { return protocol_kernels().search_value(mover_of(opponent), side); }

int32_t best_squares(Opponent opponent, uint8_t side, int32_t (&squares)[64])
{
    return protocol_kernels().best_squares(mover_of(opponent), side, squares);
}
