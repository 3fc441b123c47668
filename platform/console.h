// The trainer's console: formatted output on standard output, and the keyboard
// (is a key waiting, read one key without echo).
#pragma once
#include <cstdint>
#include <cstdio>

constexpr int32_t key_end_of_input = -1; // standard input is at its end (or closed)
constexpr int32_t key_stop = -2;         // an interrupt or termination signal arrived

// Puts the terminal (if standard input is one) into single-key mode without echo,
// catches interrupt, termination and hang-up signals, and decides how text is shown.
// The terminal is restored at exit, however the program ends, and while the program
// is suspended (Ctrl+Z).
void console_start();
void console_restore();

// True when a key is waiting, or when a stop signal has arrived.
bool key_waiting();
// The next key, waiting for it; key_end_of_input or key_stop instead of a key.
int32_t read_key();

// Formatted output of the program's single-byte (Windows-1252) texts, flushed at
// once. On a terminal with a UTF-8 locale the bytes are shown as their characters;
// anywhere else they are written unchanged.
void console_print(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Standard output failed (its reader went away, or its disk is full): nothing more is
// written there, and the run stops as a stop signal stops it.
void console_output_failed();

// Where console_print writes (standard output unless a test redirects it).
void console_set_stream(std::FILE* stream, bool as_utf8 = false);
