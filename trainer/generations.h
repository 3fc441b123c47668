// The trainer's main line: start-up, the generation loop with its stop question, the end.
#pragma once
#include <cstdint>

// Where the keys come from: the console, or a script in the tests.
struct Keyboard {
    bool (*key_waiting)();
    int32_t (*read_key)();
};

constexpr int32_t save_interval = 200; // generations between two periodic saves
constexpr int16_t champion_score = 17; // a generation best from here on enters the hall of fame

// The trainer's own tables of the run (trainer_tables.h), allocated once with the
// pairing table filled; the core's tables come from allocate_core_tables (tables.h).
void allocate_breeding_tables();

// The whole run with the random source seeded by `seed`; returns the exit status.
int32_t trainer_main(uint32_t seed, const Keyboard& keyboard);
// Generation after generation until the operator answers the stop question with "O".
void run_generations(const Keyboard& keyboard);
// One generation: the counter, the tournament and its report line, the hall-of-fame
// step for a champion, the periodic save, breeding and mutation.
void run_generation();
// Sums the score table into the total score; returns the first network with the
// highest score.
int32_t find_best_network();
void report_best(int32_t k);
