// Where an evolution run starts its search: a stored network, a network of random
// weights, or the network that plays the WPC table by rote.
#pragma once
#include <cstdint>
#include <string>

#include "fitness.h"

// Network k of a hall-of-fame or population file into `start`; otherwise what is wrong
// with the file: unreadable, too short for 36 networks, or holding a weight that is
// not a finite number (in any of its networks).
std::string read_start(const char* name, int32_t k, Weights& start);

// A network of random weights in -1 .. 1, as a first population of the trainer has
// them, from the programs' random source seeded with `seed`.
Weights random_start(uint64_t seed);

// The network that plays by the squares' values of the WPC table (opponents.h) and
// nothing else: hidden-1 unit 1 hears every board input with weight 1, so it is on in
// every position (there are always pieces); hidden-2 unit 1 hears it with weight 1;
// the output of square s is that unit's weight to it, the square's value in units
// (hundredths of the table) plus s / 10000, so that squares of equal value never tie
// and the network draws no random numbers. Every other weight is 0, so every other
// unit is off until the search gives it a use.
Weights wpc_start();
