// Every kernel set of the measured game plays the same games: the same outcomes and the
// same final boards for every kind of mover, from the same seeds. And the first five
// opponents play the very games that they played before the others came, so that the
// measures made then come out the same.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_kernels.h"
#include "image_file.h"
#include "protocol_game.h"
#include "shape.h"
#include "tables.h"

namespace {

// Every named opponent and members of the family of tables.
std::vector<Opponent> all_kinds_of_opponent()
{
    std::vector<Opponent> opponents(std::begin(named_opponents), std::end(named_opponents));
    for (int32_t n : {7, 99999})
        for (int32_t plies : {1, 2})
            opponents.push_back(table_opponent(n, plies));
    return opponents;
}

// The games of the first five opponents under both protocols, as a check sum of their
// outcomes and final boards.
inline uint64_t first_opponents_games()
{
    const Player network{Player::Kind::network, 3};
    uint64_t sum = 0xCBF29CE484222325ull;
    auto add = [&sum](uint8_t byte) { sum = (sum ^ byte) * 0x100000001B3ull; };
    for (const Protocol protocol : {Protocol{0.1, 0}, Protocol{0.0, 4}})
        for (int32_t code = 1; code <= 5; ++code)
            for (int32_t game = 0; game < 40; ++game) {
                const auto opponent = static_cast<Opponent>(code);
                seed_game(5, network, opponent, game);
                add(static_cast<uint8_t>(play_protocol_game(network, opponent, game % 2 == 0 ? 1 : 2, protocol)));
                for (int32_t s = 1; s <= 64; ++s)
                    add(current_board[s]);
            }
    return sum;
}

// The games of one kernel set, each written as its outcome and final board.
std::string games_of(KernelSet set)
{
    use_kernel_set(set);
    std::string record;
    const Player network{Player::Kind::network, 3};
    const Protocol protocol{0.1, 2};
    const std::vector<Opponent> opponents = all_kinds_of_opponent();
    for (int32_t game = 0; game < 60; ++game) {
        const uint8_t colour = game % 2 == 0 ? 1 : 2;
        for (Opponent opponent : opponents) {
            if (opponent_plies(opponent) == 4 && game % 6 != 0)
                continue; // the 4-ply searches are slow in the plain kernels
            seed_game(11, network, opponent, game);
            record += static_cast<char>('0' + static_cast<int>(play_protocol_game(network, opponent, colour, protocol)));
            record.append(reinterpret_cast<const char*>(current_board + 1), 64);
        }
        seed_game(static_cast<uint64_t>(game));
        record += static_cast<char>('0' + static_cast<int>(play_protocol_game(network, 7, colour, protocol)));
        record.append(reinterpret_cast<const char*>(current_board + 1), 64);
    }
    return record;
}

TEST(MeasuredGame, EveryKernelSetPlaysTheSameGames)
{
    allocate_core_tables();
    ASSERT_EQ(read_image(ELVARIN_DEFAULT_HALL_OF_FAME, current_population, Access::read_only).status, FileStatus::done);

    const KernelSet in_use = kernel_set_in_use();
    const std::string portable = games_of(KernelSet::portable);
    for (KernelSet set : {KernelSet::baseline, KernelSet::avx2}) {
        if (kernel_set_available(set)) {
            EXPECT_EQ(games_of(set), portable) << kernel_set_name(set);
        }
    }
    use_kernel_set(in_use);
}

TEST(MeasuredGame, TheFirstOpponentsPlayTheirFormerGames)
{
    allocate_core_tables();
    ASSERT_EQ(read_image(ELVARIN_DEFAULT_HALL_OF_FAME, current_population, Access::read_only).status, FileStatus::done);
    EXPECT_EQ(first_opponents_games(), 0x3a0dea6ef6d50b76u) << "recorded with the searches as they were first written";
}

} // namespace
