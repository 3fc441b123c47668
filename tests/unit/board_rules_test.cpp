// The rules of Reversi on the core's board.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board.h"
#include "plain_rules.h"
#include "support.h"
#include "tables.h"

namespace {

std::vector<int32_t> legal_squares(uint8_t side)
{
    find_legal_moves(side);
    std::vector<int32_t> squares;
    for (int32_t s = 1; s <= 64; ++s)
        if (legal_move_map[s] == 1)
            squares.push_back(s);
    return squares;
}

} // namespace

TEST(BoardRules, OpeningPositionAndItsMoves)
{
    CoreTables t;
    std::ranges::fill(t.board, 7); // every cell, cell 0 too, must be reset
    reset_board();
    EXPECT_EQ(t.board[0], 0);
    EXPECT_EQ(t.board[28], white);
    EXPECT_EQ(t.board[37], white);
    EXPECT_EQ(t.board[29], black);
    EXPECT_EQ(t.board[36], black);
    const PieceCount count = count_pieces();
    EXPECT_EQ(count.white, 2);
    EXPECT_EQ(count.black, 2);
    EXPECT_EQ(legal_squares(white), (std::vector<int32_t>{21, 30, 35, 44}));
    EXPECT_EQ(legal_squares(black), (std::vector<int32_t>{20, 27, 38, 45}));
}

TEST(BoardRules, FirstMoveTurnsOnePiece)
{
    CoreTables t;
    reset_board();
    play_move(21, white);
    EXPECT_EQ(t.board[29], white);
    EXPECT_EQ(t.board[36], black);
    const PieceCount count = count_pieces();
    EXPECT_EQ(count.white, 4);
    EXPECT_EQ(count.black, 1);
}

TEST(BoardRules, MoveClosingSeveralRunsTurnsEachUpToTheNearestClosingPiece)
{
    CoreTables t;
    t.set_board("W..W..W."
                ".B.B.B.."
                "..BBB..."
                "WBB.BBBW"
                "..BBB..."
                ".B.B.B.."
                "W..B..W."
                "...W....");
    // Square 28 (column 4, row 4) closes runs in all eight directions.
    ASSERT_EQ(plain::line_test(0, -1, 4, 4, white), 1);
    play_move(28, white);
    const char* expected = "W..W..W."
                           ".W.W.W.."
                           "..WWW..."
                           "WWWWWWWW"
                           "..WWW..."
                           ".W.W.W.."
                           "W..W..W."
                           "...W....";
    for (int32_t s = 1; s <= 64; ++s) {
        const char c = expected[s - 1];
        EXPECT_EQ(t.board[static_cast<size_t>(s)], c == 'W' ? white : c == 'B' ? black : empty) << "square " << s;
    }
}

TEST(BoardRules, RunsThatAreNotClosedCaptureNothing)
{
    CoreTables t;
    // Row 1: white at column 1, black runs to the right edge; column 8 runs to an empty square.
    t.set_board("WBBBBBBB"
                ".......B"
                ".......B"
                "........"
                "........"
                "........"
                "........"
                ".......W");
    EXPECT_EQ(plain::line_test(1, 0, 1, 1, white), 0);   // run reaches the edge
    EXPECT_EQ(plain::line_test(0, 1, 8, 8, white), 0);   // step onto an empty square
    EXPECT_EQ(plain::line_test(0, -1, 8, 8, white), 0);  // empty then black: no neighbour to capture
    EXPECT_EQ(plain::line_test(0, -1, 8, 5, white), 0);  // run closed by nothing (edge of the board)
    EXPECT_EQ(plain::line_test(-1, -1, 1, 1, white), 0); // leaves the board at a corner
    EXPECT_EQ(plain::line_test(1, 1, 8, 8, black), 0);
    // Every square is occupied or captures nothing: white has no move at all.
    t.set_board("WWWWWWWW"
                "WWWWWWWW"
                "........"
                "........"
                "........"
                "........"
                "........"
                "........");
    EXPECT_TRUE(legal_squares(white).empty());
    EXPECT_TRUE(legal_squares(black).empty());
}

TEST(BoardRules, OccupiedSquaresAreNeverLegal)
{
    CoreTables t;
    t.set_board("B......."
                "W......."
                "........"
                "........"
                "........"
                "........"
                "........"
                "........");
    // Square 17 (column 1, row 3) captures up the column; square 1 is black's own piece.
    EXPECT_EQ(legal_squares(black), (std::vector<int32_t>{17}));
    EXPECT_TRUE(legal_squares(white).empty());
}

TEST(BoardRules, MoveWithoutCaptureOnlyPlacesThePiece)
{
    CoreTables t;
    reset_board();
    play_move(1, black);
    EXPECT_EQ(t.board[1], black);
    const PieceCount count = count_pieces();
    EXPECT_EQ(count.white, 2);
    EXPECT_EQ(count.black, 3);
}
