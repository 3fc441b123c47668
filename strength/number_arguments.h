// Numbers on the command lines of the strength tools and the evolution program.
#pragma once
#include <cstdint>

// A whole number in low..high written in full; false otherwise.
bool parse_whole_number(const char* text, int64_t low, int64_t high, int64_t& value);
// A number (not NaN) written in full; false otherwise.
bool parse_number(const char* text, double& value);
