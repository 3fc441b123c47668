// What each system's console gives the keyboard functions that both share
// (console_keys.cpp: key_waiting and read_key of console.h).
#pragma once
#include <cstdint>

// True once a stop signal (or a stop request) has arrived.
bool console_stop_requested();
// The next key, waiting for it when `wait` is set; -1 when none is there yet, or
// key_end_of_input or key_stop instead of a key.
int32_t fetch_key(bool wait);
