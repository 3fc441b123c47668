// Keeping the hall of fame: every champion replaces the weakest stored network.
#pragma once
#include <cstdint>

enum class ReportForm { selected, next };

// Stores network k as a champion, then finds the next slot to replace by a
// tournament of the stored networks. Leaves the population, the generation
// counter and score table entries 1..36 as they were.
void admit_champion(int32_t k);
// Clears the score table and plays every pair of networks 1..36 once (630 matches).
void play_all_pairs();
// The first network with the lowest score, written as the file's new header.
int32_t mark_weakest();
void report_network(int32_t k, ReportForm form);
