// Keys from a schedule instead of the terminal, for runs that must be repeatable:
// at the end of generation G of the run, the keys scheduled for G are typed (the
// first one interrupts, the others answer the stop question). When the typed keys
// run out at the question, the input has ended, which counts as "O".
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "generations.h"

// Starts a new schedule: generation of the run -> keys typed after it.
Keyboard scripted_keyboard(std::map<int32_t, std::string> schedule);
// Reads "G=KEYS,G=KEYS,..."; false when the text is not of that form.
bool parse_key_schedule(const std::string& text, std::map<int32_t, std::string>& schedule);
