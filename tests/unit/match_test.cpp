// Move choice, the random source, and the course and score of a network match.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "board.h"
#include "match.h"
#include "network.h"
#include "random.h"
#include "support.h"
#include "tables.h"

namespace {

// Outputs as the last pass would leave them.
void set_outputs(CoreTables& t, float value)
{
    for (int32_t s = 1; s <= 64; ++s)
        t.activation[static_cast<size_t>(output_of(s))] = value;
}

int32_t choice_with_draw(CoreTables& t, int32_t r, uint8_t side)
{
    (void)t;
    seed_for_next_draw(r);
    return choose_move(side);
}

} // namespace

TEST(RandomSource, FollowsTheGenerator)
{
    seed_random(1);
    EXPECT_EQ(draw_random(), 41);
    const std::vector<int32_t> expected = reference_draws(123456789u, 1000);
    seed_random(123456789u);
    for (int32_t r : expected)
        ASSERT_EQ(draw_random(), r);
    for (int32_t r : {0, 1, 16383, 16384, 32767}) {
        seed_for_next_draw(r);
        EXPECT_EQ(draw_random(), r);
    }
}

TEST(MoveChoice, SingleBestLegalSquareNeedsNoDraw)
{
    CoreTables t;
    reset_board();
    set_outputs(t, 0.0f);
    t.activation[output_of(1)] = 9.0f;   // higher, but not legal
    t.activation[output_of(30)] = 2.0f;  // the best legal square
    t.activation[output_of(21)] = 1.0f;
    t.activation[output_of(44)] = std::nextafter(2.0f, 0.0f); // one bit below: no tie
    seed_random(77);
    legal_move_map[0] = 5;
    EXPECT_EQ(choose_move(white), 30);
    EXPECT_EQ(random_state_now(), 77u);
    EXPECT_EQ(legal_move_map[0], 0); // the map is rebuilt whole
}

TEST(MoveChoice, TiesAreSharedByOneDraw)
{
    CoreTables t;
    reset_board();
    set_outputs(t, 0.0f);
    t.activation[output_of(21)] = 1.5f;
    t.activation[output_of(44)] = 1.5f;
    EXPECT_EQ(choice_with_draw(t, 0, white), 21);
    EXPECT_EQ(choice_with_draw(t, 16383, white), 21);
    EXPECT_EQ(choice_with_draw(t, 16384, white), 44);
    EXPECT_EQ(choice_with_draw(t, 32767, white), 44);

    t.activation[output_of(35)] = 1.5f; // three tied squares: 21, 35, 44
    EXPECT_EQ(choice_with_draw(t, 10921, white), 21);
    EXPECT_EQ(choice_with_draw(t, 10922, white), 35);
    EXPECT_EQ(choice_with_draw(t, 21844, white), 35);
    EXPECT_EQ(choice_with_draw(t, 21845, white), 44);

    set_outputs(t, 0.0f); // all outputs equal: random among all four legal squares
    EXPECT_EQ(choice_with_draw(t, 8191, white), 21);
    EXPECT_EQ(choice_with_draw(t, 8192, white), 30);
    EXPECT_EQ(choice_with_draw(t, 32767, white), 44);
}

TEST(MoveChoice, NoLegalMoveGivesZeroWithoutDraw)
{
    CoreTables t;
    t.set_board("WWWWWWWW" "........" "........" "........" "........" "........" "........" "........");
    set_outputs(t, 0.0f);
    seed_random(5);
    EXPECT_EQ(choose_move(black), 0);
    EXPECT_EQ(random_state_now(), 5u);
}

TEST(MoveChoice, ManyTiedSquaresFitTheTieList)
{
    CoreTables t;
    // A checkerboard ring of black around white leaves white 40-odd legal squares.
    t.set_board("........"
                ".BBBBBB."
                ".BWWWWB."
                ".BWWWWB."
                ".BWWWWB."
                ".BWWWWB."
                ".BBBBBB."
                "........");
    set_outputs(t, 0.0f);
    find_legal_moves(white);
    int32_t legal = 0;
    int32_t last = 0;
    for (int32_t s = 1; s <= 64; ++s)
        if (legal_move_map[s]) {
            ++legal;
            last = s;
        }
    ASSERT_GT(legal, 20);
    EXPECT_EQ(choice_with_draw(t, 32767, white), last);
}

TEST(MatchScore, PointsOfTheFinalPosition)
{
    CoreTables t;
    const auto score_of = [&](int32_t whites, int32_t blacks) {
        std::fill(t.board.begin(), t.board.end(), 0);
        for (int32_t s = 1; s <= whites; ++s)
            t.board[static_cast<size_t>(s)] = white;
        for (int32_t s = whites + 1; s <= whites + blacks; ++s)
            t.board[static_cast<size_t>(s)] = black;
        const MatchPoints p = score_match();
        return std::pair{p.colour1, p.colour2};
    };
    EXPECT_EQ(score_of(33, 31), std::pair(3, 0));
    EXPECT_EQ(score_of(52, 12), std::pair(4, 0));
    EXPECT_EQ(score_of(51, 12), std::pair(3, 0));
    EXPECT_EQ(score_of(32, 32), std::pair(1, 1));
    EXPECT_EQ(score_of(13, 0), std::pair(3, 0));
    EXPECT_EQ(score_of(12, 52), std::pair(0, 4));
    EXPECT_EQ(score_of(0, 0), std::pair(1, 1));
}

TEST(Match, ZeroNetworksPlayRandomGamesToTheirEnd)
{
    CoreTables t;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        seed_random(seed);
        reset_board();
        play_match(1, 2);
        const PieceCount count = count_pieces();
        // The match stops on a full board or when neither side can move.
        const bool full = count.white + count.black == 64;
        find_legal_moves(white);
        bool any = false;
        for (int32_t s = 1; s <= 64; ++s)
            any = any || legal_move_map[s];
        find_legal_moves(black);
        for (int32_t s = 1; s <= 64; ++s)
            any = any || legal_move_map[s];
        EXPECT_TRUE(full || !any) << "seed " << seed;
    }
}

TEST(Match, ColourOneMovesFirstAndPassesDoNotEndTheMatch)
{
    CoreTables t;
    // White cannot move; black can, and its move takes white's last pieces.
    t.set_board("BWW....."
                "........"
                "........"
                "........"
                "........"
                "........"
                "........"
                "........");
    find_legal_moves(white);
    for (int32_t s = 1; s <= 64; ++s)
        ASSERT_EQ(legal_move_map[s], 0);
    seed_random(3);
    play_match(1, 2);
    // Black plays square 4 and takes both white pieces: white is gone, black cannot
    // move either, and the match ends after that cycle with black's four pieces.
    EXPECT_EQ(t.board[4], black);
    const PieceCount count = count_pieces();
    EXPECT_EQ(count.white, 0);
    EXPECT_EQ(count.black, 4);
}

TEST(Match, FullBoardByColourOneEndsTheCycle)
{
    CoreTables t;
    // 59 moves are done: one empty square left, white to fill it. The match is
    // then over after colour 2's (empty) turn, having counted 60 moves.
    t.set_board("BBBBBBBB"
                "BBBBBBBB"
                "BBBBBBBB"
                "BBBBBBBB"
                "BBBBBBBB"
                "BBBBBBBW"
                "BBBBBBBB"
                "BBBBBBB.");
    seed_random(9);
    play_match(1, 2);
    EXPECT_EQ(t.board[64], white);
    EXPECT_EQ(t.board[56], white); // turned: closed by white's square 48
    EXPECT_EQ(t.board[63], black);
    EXPECT_EQ(count_pieces().white + count_pieces().black, 64);
}
