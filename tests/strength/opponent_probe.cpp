// Prints what the strength tool's opponents and a network make of given positions,
// for the comparison with the independent implementation (wpc_protocol.py probe).
//
//   opponent_probe FILE NETWORK OPPONENT[,OPPONENT...] < positions
//
// Each input line: 64 cells (".", "w", "b"; row 1 first) and the side to move ("w" or
// "b"). Each output line: for each opponent (one that values squares or mobility),
// NAME=E/V:S,S with its evaluation E of the position for the side to move, the value V
// of its search over its plies, and its best squares S ("-" for V and S when the side
// cannot move); then the network's 64 outputs as the bytes of single-precision floats,
// in hexadecimal.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "board.h"
#include "image_file.h"
#include "network.h"
#include "opponents.h"
#include "shape.h"
#include "tables.h"

namespace {

std::string squares_text(const int32_t (&squares)[64], int32_t count)
{
    std::string text;
    for (int32_t i = 0; i < count; ++i) {
        if (i > 0)
            text += ',';
        text += std::to_string(squares[i]);
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: opponent_probe FILE NETWORK OPPONENT[,OPPONENT...] < positions\n");
        return 2;
    }
    allocate_core_tables();
    const bool complete = read_image(argv[1], current_population, Access::read_only).status == FileStatus::done;
    const int32_t k = std::atoi(argv[2]);
    std::vector<Opponent> opponents;
    std::istringstream names(argv[3]);
    for (std::string name; std::getline(names, name, ',');) {
        Opponent o{};
        if (!opponent_from_name(name, o) || opponent_plies(o) == 0) {
            std::fprintf(stderr, "opponent_probe: %s is no opponent that searches\n", name.c_str());
            return 2;
        }
        opponents.push_back(o);
    }
    if (!complete || k < 1 || k > networks) {
        std::fprintf(stderr, "opponent_probe: need a complete hall-of-fame file and a network 1..36\n");
        return 1;
    }

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        std::string cells, side_text;
        if (!(fields >> cells >> side_text))
            continue;
        if (cells.size() != 64 || (side_text != "w" && side_text != "b")) {
            std::fprintf(stderr, "opponent_probe: bad position \"%s\"\n", line.c_str());
            return 1;
        }
        for (int32_t s = 1; s <= 64; ++s) {
            const char cell = cells[static_cast<size_t>(s - 1)];
            current_board[s] = cell == 'w' ? white : cell == 'b' ? black : empty;
        }
        const uint8_t side = side_text == "w" ? white : black;
        for (Opponent o : opponents) {
            int32_t squares[64];
            const int32_t count = best_squares(o, side, squares);
            std::printf("%s=%d/", opponent_name(o).c_str(), evaluation_value(o, side));
            if (count == 0)
                std::printf("-:- ");
            else
                std::printf("%d:%s ", search_value(o, side), squares_text(squares, count).c_str());
        }
        encode_inputs(side);
        evaluate_network(k);
        std::printf("net=");
        for (int32_t s = 1; s <= 64; ++s) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(&activations[output_of(s)]);
            std::printf("%02x%02x%02x%02x", bytes[0], bytes[1], bytes[2], bytes[3]);
        }
        std::printf("\n");
    }
    return 0;
}
