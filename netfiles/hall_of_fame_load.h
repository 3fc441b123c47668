// Reading the whole hall-of-fame file into a population buffer (the game's side).
#pragma once

// One whole read of the file into `population`, the header
// travelling with slot 1. A file shorter than a complete one counts as a read failure.
enum class HallOfFameLoad { loaded, cannot_open, read_failed };
HallOfFameLoad load_hall_of_fame_file(float* population);
