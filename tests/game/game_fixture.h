// Shared set-up of the game tests: a folder of its own for each test, hall-of-fame
// files made to measure, and positions written onto the live board.
#pragma once
#include <windows.h>
#include <win32_test.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "resource.h"
#include "shape.h"

// Hand-built networks that play a fixed order of preference: hidden-1 unit 1 is on in
// every position, and hidden-2 unit 1 carries the preferences to the outputs. Network
// k is of type t = (k - 1) % 6, so each type stands six times, and plays the legal square
// s with the highest (s * m) % 64 + 1, m being 1, 7, 13, 27, 45 or 59 for types 0 to 5
// (as the model in the tests' figures plays them); a weight that is never read
// (from the hidden-1 unit 20, always off) holds k, to tell the networks apart.
std::vector<float> preference_hall();
// Networks of uniform random weights in [-1, 1), from a generator of the test's own.
std::vector<float> random_hall(uint32_t seed);
// The number that the marker weight of network `position` of `population` holds.
int32_t marker_of(const float* population, int32_t position);

// Writes "meillfl.don" from `population`, cut to `bytes` bytes.
void write_hall(const std::vector<float>& population, size_t bytes = population_bytes);

// A position given as eight rows, top first: '.' empty, 'W' white, 'B' black.
using Diagram = std::vector<std::string>;
// Puts it on the live board and recomputes the legal moves of the side to move.
void set_position(const Diagram& rows);
Diagram position_now();

// The client point at the centre of a square (column i, row j at 1 + 30 (i - 1) + 13).
POINT centre_of(int32_t square);
void click_square(int32_t square);
// Texts the status line has shown, from its creation on.
std::vector<std::string> status_history();
std::vector<std::string> message_texts();

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs WinMain with the steps added so far; returns its result.
    int run();

    std::filesystem::path folder;
    std::filesystem::path previous_folder;
};

constexpr uint32_t test_seed = 20240601;
