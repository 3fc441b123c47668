// The hall-of-fame file "meillfl.don" as the trainer keeps it: open for the whole
// run, its header `a_ecraser` naming the slot that the next champion overwrites.
#pragma once
#include <cstdint>

// The file stays open on h_meil for the whole run, and a_ecraser always equals the
// header last read or written.
inline int32_t h_meil = -1;
inline float a_ecraser = 0.0f;

// Opens the file and reads its header. A missing or empty file is first made whole
// (header 1.0 and the networks of the current population) beside its name and put in
// place. A file too short for 36 slots, or whose header is not a slot number 1..36,
// ends the program without anything written.
void open_hall_of_fame();
// Writes network k of the current population into slot trunc(a_ecraser).
void write_champion_slot(int32_t k);
// Fills networks 1..36 of the current population from slots 1..36; the header
// element of the buffer is not touched.
void read_hall_of_fame();
// Stores slot s as the new header, in memory and in the file.
void write_replacement_header(int32_t s);
void close_hall_of_fame();
