// Input encoding and the forward pass through the threshold units.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "board.h"
#include "network.h"
#include "support.h"
#include "tables.h"

namespace {

std::vector<int32_t> inputs_on(const CoreTables& t)
{
    std::vector<int32_t> on;
    for (int32_t i = 1; i <= 129; ++i)
        if (t.activation[static_cast<size_t>(i)] == 1.0f)
            on.push_back(i);
    return on;
}

// Weight offsets of the three blocks.
int32_t input_to_hidden1(int32_t i, int32_t j) { return 20 * (i - 1) + j; }
int32_t hidden1_to_hidden2(int32_t h, int32_t m) { return 2580 + 20 * (h - 1) + m; }
int32_t hidden2_to_output(int32_t h, int32_t o) { return 2980 + 64 * (h - 1) + o; }

} // namespace

TEST(Network, EncodingSeesTheBoardFromTheSideToMove)
{
    CoreTables t;
    reset_board();
    std::ranges::fill(t.activation, 5.0f);
    encode_inputs(white);
    EXPECT_EQ(inputs_on(t), (std::vector<int32_t>{56, 57, 71, 74}));
    for (int32_t e = 130; e <= 233; ++e)
        EXPECT_EQ(t.activation[static_cast<size_t>(e)], 0.0f);
    EXPECT_EQ(t.activation[0], 5.0f); // element 0 is never written
    encode_inputs(black);
    EXPECT_EQ(inputs_on(t), (std::vector<int32_t>{55, 58, 72, 73, 129}));
}

TEST(Network, ZeroWeightsLeaveEverythingOff)
{
    CoreTables t;
    reset_board();
    encode_inputs(white);
    evaluate_network(1);
    for (int32_t e = 130; e <= 233; ++e)
        EXPECT_EQ(t.activation[static_cast<size_t>(e)], 0.0f) << e;
}

TEST(Network, OnlyPositiveSumsSwitchUnitsOn)
{
    CoreTables t;
    reset_board(); // colour 1 to move: inputs 56, 57, 71, 74 are on
    t.weight(3, input_to_hidden1(56, 1)) = 0.5f;   // unit 1: +0.5 -0.5 = exactly 0.0 -> off
    t.weight(3, input_to_hidden1(57, 1)) = -0.5f;
    t.weight(3, input_to_hidden1(71, 2)) = 0.25f;  // unit 2: on
    t.weight(3, input_to_hidden1(74, 3)) = -0.25f; // unit 3: negative -> off
    t.weight(3, input_to_hidden1(1, 4)) = 9.0f;    // input 1 is off: never sent
    t.weight(3, hidden1_to_hidden2(2, 5)) = 1.0f;  // hidden-1 unit 2 -> hidden-2 unit 5
    t.weight(3, hidden1_to_hidden2(1, 6)) = 7.0f;  // unit 1 is off: never sent
    t.weight(3, hidden2_to_output(5, 10)) = -3.5f; // outputs keep raw, negative sums
    t.weight(3, hidden2_to_output(5, 64)) = 2.0f;
    t.weight(2, input_to_hidden1(56, 1)) = 100.0f; // other networks play no part
    encode_inputs(white);
    evaluate_network(3);
    EXPECT_EQ(t.activation[130], 0.0f);
    EXPECT_EQ(t.activation[131], 1.0f);
    EXPECT_EQ(t.activation[132], 0.0f);
    EXPECT_EQ(t.activation[133], 0.0f);
    EXPECT_EQ(t.activation[154], 1.0f);
    EXPECT_EQ(t.activation[155], 0.0f);
    EXPECT_EQ(t.activation[output_of(10)], -3.5f);
    EXPECT_EQ(t.activation[output_of(64)], 2.0f);
    EXPECT_EQ(t.activation[output_of(1)], 0.0f);
}

TEST(Network, SumsFollowTheSendingOrderInSinglePrecision)
{
    CoreTables t;
    reset_board();
    // Inputs 56, 57, 71 send 1e8, 1.0, -1e8 to hidden-1 unit 7: in this order the
    // 1.0 is lost in single precision and the unit stays off; any other order keeps it.
    t.weight(1, input_to_hidden1(56, 7)) = 1e8f;
    t.weight(1, input_to_hidden1(57, 7)) = 1.0f;
    t.weight(1, input_to_hidden1(71, 7)) = -1e8f;
    // Same trick on an output, where the raw sum is visible: 2^24 + 1 - 2^24 = 0 in floats.
    for (int32_t h = 1; h <= 20; ++h)
        t.weight(1, input_to_hidden1(129, h)) = 0.0f;
    t.weight(1, input_to_hidden1(56, 1)) = 1.0f;
    t.weight(1, input_to_hidden1(56, 2)) = 1.0f;
    t.weight(1, input_to_hidden1(56, 3)) = 1.0f;
    t.weight(1, hidden1_to_hidden2(1, 1)) = 1.0f;
    t.weight(1, hidden1_to_hidden2(2, 2)) = 1.0f;
    t.weight(1, hidden1_to_hidden2(3, 3)) = 1.0f;
    t.weight(1, hidden2_to_output(1, 20)) = 16777216.0f;
    t.weight(1, hidden2_to_output(2, 20)) = 1.0f;
    t.weight(1, hidden2_to_output(3, 20)) = -16777216.0f;
    encode_inputs(white);
    evaluate_network(1);
    EXPECT_EQ(t.activation[136], 0.0f);
    EXPECT_EQ(t.activation[output_of(20)], 0.0f);
}

TEST(Network, FirstAndLastWeightsOfThePopulation)
{
    CoreTables t;
    reset_board();
    encode_inputs(black); // input 129 is on for colour 2
    // Network 2's first weight (element 4261) feeds hidden-1 unit 1 from input 1, which
    // is off; its weight from input 55 to unit 1 is on.
    EXPECT_EQ(network_base(2) + 1, 4261);
    EXPECT_EQ(network_base(36) + 4260, 153360);
    t.population[4261] = 50.0f;
    t.weight(36, input_to_hidden1(129, 20)) = 1.0f;
    t.weight(36, hidden1_to_hidden2(20, 20)) = 1.0f;
    t.population[153360] = -0.125f; // hidden-2 unit 20 -> output 64
    evaluate_network(2);
    EXPECT_EQ(t.activation[130], 0.0f);
    encode_inputs(black);
    evaluate_network(36);
    EXPECT_EQ(t.activation[149], 1.0f);
    EXPECT_EQ(t.activation[169], 1.0f);
    EXPECT_EQ(t.activation[233], -0.125f);
}

TEST(Network, NonFiniteWeightsDoNotSwitchUnitsOn)
{
    CoreTables t;
    reset_board();
    t.weight(1, input_to_hidden1(56, 1)) = std::nanf("");
    t.weight(1, input_to_hidden1(56, 2)) = -INFINITY;
    t.weight(1, input_to_hidden1(56, 3)) = INFINITY;
    encode_inputs(white);
    evaluate_network(1);
    EXPECT_EQ(t.activation[130], 0.0f);
    EXPECT_EQ(t.activation[131], 0.0f);
    EXPECT_EQ(t.activation[132], 1.0f);
}
