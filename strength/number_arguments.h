// Numbers and lists on the command lines of the strength tools and the evolution
// program, and in the strength tool's CSV rows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A whole number in low..high written in full; false otherwise.
bool parse_whole_number(const char* text, int64_t low, int64_t high, int64_t& value);
// A number (not NaN) written in full; false otherwise.
bool parse_number(const char* text, double& value);
// The items of a comma-separated list, empty ones included: "a,,b" has three.
std::vector<std::string> comma_items(const std::string& text);
