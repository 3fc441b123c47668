// Roulette selection, crossover and mutation on the values worked out by hand (the
// whole operators are compared draw for draw with the Python model of the trainer in
// tests/reference).
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "breeding.h"
#include "generations.h"
#include "random.h"
#include "support.h"
#include "tables.h"
#include "trainer_tables.h"

namespace {

// The core's tables and the trainer's breeding tables, as the trainer allocates them.
struct BreedingTables : CoreTables {
    BreedingTables()
    {
        allocate_breeding_tables();
        // Network k's weights all hold k, so every copied weight tells where it came from.
        for (int32_t k = 1; k <= networks; ++k)
            for (int32_t w = 1; w <= connections; ++w)
                weight(k, w) = static_cast<float>(k);
    }
};

float next_weight(int32_t k, int32_t w) { return next_population[network_base(k) + w]; }

// The weights of network k of the current population that no longer hold k.
std::vector<int32_t> changed_weights(const BreedingTables& t, int32_t k)
{
    std::vector<int32_t> changed;
    for (int32_t w = 1; w <= connections; ++w)
        if (t.population[static_cast<size_t>(network_base(k) + w)] != static_cast<float>(k))
            changed.push_back(w);
    return changed;
}

constexpr DrawRange mutates{25001, 32767};
constexpr DrawRange stays{0, 25000};

} // namespace

TEST(Roulette, HalfDownRounding)
{
    EXPECT_EQ(half_down_round(910.194), 910);
    EXPECT_EQ(half_down_round(910.7), 911);
    EXPECT_EQ(half_down_round(2340.5), 2340);
    EXPECT_EQ(half_down_round(2340.500001), 2340); // a half once in single precision
    EXPECT_EQ(half_down_round(2340.51), 2341);
    EXPECT_EQ(half_down_round(0.0), 0);
    EXPECT_EQ(half_down_round(7.0), 7);
    EXPECT_EQ(half_down_round(0.49), 0);
}

TEST(Roulette, SharesThatAreHalvesGoDown)
{
    // 16 of 224 points give 2340.5 exactly, 13 of 182 give 2340.50008.., a half in floats.
    for (const auto& [score, total] : {std::pair{16, 224}, std::pair{13, 182}}) {
        BreedingTables t;
        t.scores[1] = static_cast<int16_t>(score);
        total_score = total;
        seed_random(1);
        breed();
        EXPECT_EQ(roulette_table[1], 2340) << score << " of " << total;
    }
}

TEST(Roulette, EqualScoresShareTheWheel)
{
    BreedingTables t;
    for (int32_t n = 1; n <= 36; ++n)
        t.scores[static_cast<size_t>(n)] = 5;
    total_score = 180;
    const std::vector<int32_t> draws = reference_draws(99, 36);
    seed_random(99);
    breed();
    // Shares of 910: network 1 takes the draws 0..910, network j 910 (j - 1) + 1..910 j,
    // network 36 the 917 draws 31851..32767.
    for (int32_t i = 1; i <= 35; ++i)
        EXPECT_EQ(roulette_table[i], 910 * i);
    EXPECT_EQ(roulette_table[36], 0);
    for (int32_t k = 1; k <= 36; ++k) {
        const int32_t r = draws[static_cast<size_t>(k - 1)];
        const int32_t expected = r <= 910 ? 1 : r > 31850 ? 36 : (r - 1) / 910 + 1;
        EXPECT_EQ(parent_list[k], expected) << "draw " << r;
    }
    EXPECT_EQ(current_population, t.next.data()); // the buffers were exchanged
    EXPECT_EQ(next_population, t.population.data());
}

TEST(Roulette, BordersOfTheWheel)
{
    BreedingTables t;
    t.scores[1] = 0;
    t.scores[2] = 10;
    t.scores[36] = 0;
    for (int32_t n = 3; n <= 35; ++n)
        t.scores[static_cast<size_t>(n)] = 5;
    total_score = 10 + 33 * 5;
    // s = 32767 / 175 = 187.24 in floats: network 2's share is 1872, network 3's 936.
    for (const auto& [r, parent] : std::vector<std::pair<int32_t, int16_t>>{
             {0, 1}, {1, 2}, {1872, 2}, {1873, 3}, {2808, 3}, {2809, 4}, {32767, 36}}) {
        seed_for_next_draw(r);
        breed();
        std::swap(current_population, next_population);
        EXPECT_EQ(parent_list[1], parent) << "draw " << r;
    }
    // Network 36 takes what lies above entry 35, even with 0 points.
    EXPECT_LT(roulette_table[35], 32767);
}

TEST(Crossover, CutsAtTheEnds)
{
    BreedingTables t;
    seed_for_next_draw(0); // cut 0: A copies Q, B copies P
    cross_over(1, 19, 4, 9);
    for (int32_t w : {1, 2, 4260}) {
        EXPECT_EQ(next_weight(1, w), 9.0f);
        EXPECT_EQ(next_weight(19, w), 4.0f);
    }
    seed_for_next_draw(32760); // cut 4260: A copies P, B copies Q
    cross_over(2, 20, 4, 9);
    for (int32_t w : {1, 4259, 4260}) {
        EXPECT_EQ(next_weight(2, w), 4.0f);
        EXPECT_EQ(next_weight(20, w), 9.0f);
    }
    seed_for_next_draw(32759); // cut 4259: only the last weight comes from the other parent
    cross_over(3, 21, 4, 9);
    EXPECT_EQ(next_weight(3, 4259), 4.0f);
    EXPECT_EQ(next_weight(3, 4260), 9.0f);
    EXPECT_EQ(next_weight(21, 4259), 9.0f);
    EXPECT_EQ(next_weight(21, 4260), 4.0f);
    seed_for_next_draw(1); // cut 1: 4260 / 32767 rounded up
    cross_over(4, 22, 4, 9);
    EXPECT_EQ(next_weight(4, 1), 4.0f);
    EXPECT_EQ(next_weight(4, 2), 9.0f);
    seed_for_next_draw(16384); // cut 2131: 2130.065 rounded up
    cross_over(5, 23, 4, 9);
    EXPECT_EQ(next_weight(5, 2131), 4.0f);
    EXPECT_EQ(next_weight(5, 2132), 9.0f);
    EXPECT_EQ(next_weight(23, 2131), 9.0f);
    EXPECT_EQ(next_weight(23, 2132), 4.0f);
    EXPECT_EQ(next_population[0], 0.0f);
}

TEST(Crossover, PairsBreedIntoSlotsPAndPPlus18AndTheHeaderStays)
{
    BreedingTables t;
    for (int32_t n = 1; n <= 36; ++n)
        t.scores[static_cast<size_t>(n)] = static_cast<int16_t>(n % 7);
    total_score = 0;
    for (int32_t n = 1; n <= 36; ++n)
        total_score += t.scores[static_cast<size_t>(n)];
    t.next[0] = 123.0f;
    seed_random(4242);
    breed();
    EXPECT_EQ(current_population[0], 123.0f);
    // Child p is a head of P and a tail of Q, child p + 18 the head of Q and the tail of P,
    // cut at the same weight.
    for (int32_t p = 1; p <= 18; ++p) {
        const auto parent_p = static_cast<float>(parent_list[2 * p - 1]);
        const auto parent_q = static_cast<float>(parent_list[2 * p]);
        const float* a = current_population + network_base(p);
        const float* b = current_population + network_base(p + 18);
        int32_t cut = 0;
        while (cut < connections && a[cut + 1] == parent_p && b[cut + 1] == parent_q)
            ++cut;
        for (int32_t w = cut + 1; w <= connections; ++w) {
            ASSERT_EQ(a[w], parent_q) << "pair " << p << ", weight " << w;
            ASSERT_EQ(b[w], parent_p) << "pair " << p << ", weight " << w;
        }
    }
}

TEST(Mutation, OnlyADrawAbove25000MutatesANetwork)
{
    BreedingTables t;
    seed_for_next_draw(25000);
    mutate();
    EXPECT_TRUE(changed_weights(t, 1).empty());
    BreedingTables u;
    seed_for_next_draw(25001);
    mutate();
    EXPECT_FALSE(changed_weights(u, 1).empty());
}

TEST(Mutation, PositionDrawsLandOnTheirWeights)
{
    // Draws 4..11 give weight 1 and 32764..32767 weight 4260; the others 7 or 8 draws each.
    const struct {
        int32_t draw, weight;
    } cases[] = {{4, 1}, {11, 1}, {12, 2}, {32763, 4259}, {32764, 4260}, {32767, 4260}};
    for (const auto& c : cases) {
        BreedingTables t;
        ASSERT_TRUE(seed_for_draws({mutates, {c.draw, c.draw}}));
        mutate();
        const std::vector<int32_t> changed = changed_weights(t, 1);
        EXPECT_NE(std::find(changed.begin(), changed.end(), c.weight), changed.end()) << "draw " << c.draw;
    }
}

TEST(Mutation, PositionDrawsBelowFourStayInsideTheNetwork)
{
    // Rounded, draws 0..3 name the float just before the network: weight 1 takes them.
    for (const int32_t draw : {0, 3}) {
        BreedingTables t;
        t.population[0] = 77.0f; // the header lies just before network 1
        ASSERT_TRUE(seed_for_draws({mutates, {draw, draw}}));
        mutate();
        EXPECT_EQ(t.population[0], 77.0f);
        EXPECT_EQ(changed_weights(t, 1).front(), 1) << "draw " << draw;

        BreedingTables u; // network 2: network 1's last weight lies just before it
        ASSERT_TRUE(seed_for_draws({stays, mutates, {draw, draw}}));
        mutate();
        EXPECT_TRUE(changed_weights(u, 1).empty());
        EXPECT_EQ(changed_weights(u, 2).front(), 1) << "draw " << draw;
    }
}

TEST(Mutation, ValueDrawsGiveMinusOneToJustBelowOne)
{
    const struct {
        int32_t draw;
        float value;
    } cases[] = {{0, -1.0f}, {16384, 0.0f}, {32767, 0.99993896484375f}, {16385, 1.0f / 16384}};
    for (const auto& c : cases) {
        BreedingTables t;
        ASSERT_TRUE(seed_for_draws({mutates, {4, 11}, {c.draw, c.draw}})); // weight 1 of network 1
        mutate();
        EXPECT_EQ(t.weight(1, 1), c.value) << "draw " << c.draw;
    }
}
