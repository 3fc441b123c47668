// Ending the program from deep inside a step: the main line catches this and
// returns the status, so every exit path runs the same clean-up.
#pragma once
#include <cstdint>

struct ProgramEnd {
    int32_t status;
};

[[noreturn]] inline void end_program(int32_t status) { throw ProgramEnd{status}; }
