// Shared helpers of the unit tests: the core's tables, draws on demand, temp folders,
// and an in-process run of the trainer with scripted keys.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "shape.h"

// The core's tables, allocated zeroed by their owner (tables.h) for the life of the
// object and released after it, with a view of each block as the owner hands it out.
struct CoreTables {
    CoreTables();
    ~CoreTables();
    CoreTables(const CoreTables&) = delete;
    CoreTables& operator=(const CoreTables&) = delete;
    std::span<uint8_t> board, spare, legal;
    std::span<float> activation, population, next;
    std::span<int16_t> scores;
    float& weight(int32_t k, int32_t w) { return population[static_cast<size_t>(network_base(k) + w)]; }
    // Places a position given as 8 rows of 8 characters: '.' empty, 'W' white, 'B' black.
    void set_board(const char* rows);
};

// Seeds the random source so that its next draw is r (0..32767).
void seed_for_next_draw(int32_t r);
// Seeds the random source so that its next draws fall, one after the other, in the
// given ranges (first and last draw, both included); false when no seed does that.
struct DrawRange {
    int32_t first;
    int32_t last;
};
bool seed_for_draws(const std::vector<DrawRange>& ranges);
// The draws of the random source from `seed`, computed independently of the core.
std::vector<int32_t> reference_draws(uint32_t seed, size_t count);

// This process's number, as the system gives it.
int32_t process_number();

// A fresh folder that becomes the working directory, removed afterwards (once a
// population save still under way there is finished).
struct TempFolder {
    std::filesystem::path path;
    std::filesystem::path previous;
    TempFolder();
    ~TempFolder();
};

std::vector<unsigned char> read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
// A population file image: header, then weight w of network k = value(k, w).
std::vector<unsigned char> population_image(float header, float (*value)(int32_t k, int32_t w));
float read_float(const std::vector<unsigned char>& bytes, size_t offset);

struct TrainerRun {
    int32_t status;
    std::string output; // the bytes written on the console
};
// Runs the trainer in the working directory with `seed`. `keys` holds, for each
// generation after which a key is waiting, that generation's number and the keys
// then typed (the first one only interrupts); the run must end by such keys.
struct KeyPress {
    int32_t after_generation;
    std::string keys;
};
TrainerRun run_trainer(uint32_t seed, std::vector<KeyPress> presses);

// What `step` writes on the console.
std::string console_output_of(const std::function<void()>& step);
// Runs a step that may end the program: the status it ended with (-1 when it did
// not) and its console message.
using StepEnd = std::pair<int32_t, std::string>;
StepEnd run_step(const std::function<void()>& step);
