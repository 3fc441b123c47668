// The checkpoint of an evolution run: its settings and its state after a whole
// generation, in one file that is always either the old one or the new one, whole
// (written beside, flushed, renamed). A resumed run goes on from it exactly as the run
// would have gone on.
//
// Layout, little-endian: the 8 bytes "ELVEVOL1"; the settings (seed u64; parents,
// offspring, games, archive size, archive interval i32; sigma, epsilon f64; the panel's
// size i32 and its member codes i32); the generations done, the ranked networks'
// count, the archive's count and the log's length (i32 each); the step size (f64) and
// the evolution path (4260 f64); the mean, the ranked networks and the archive (4260
// f32 each); the log's bytes; an FNV-1a 64-bit sum of everything before it.
#pragma once
#include <string>

#include "evolution.h"
#include "settings.h"

// False when the file cannot be written whole; the old one, if any, stays.
bool save_checkpoint(const char* name, const Settings& settings, const EvolutionState& state);
// "" when read, otherwise what is wrong with the file.
std::string load_checkpoint(const char* name, Settings& settings, EvolutionState& state);
