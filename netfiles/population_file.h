// The population file "elvarfl.don": the generation counter and the 36 networks,
// the exact image of a population buffer.
#pragma once

inline constexpr const char* population_file_name = "elvarfl.don";

// The number of the last generation begun; the header of the population file.
inline float generation_counter = 0.0f;

// Fills the current population and the generation counter from the file, or ends
// the program with its message.
void load_population();
// Writes the current population with the generation counter as its header, or ends
// the program with its message.
void save_population();
