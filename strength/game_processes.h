// Plays many independent games on several processes. Every game is named by its
// number and played by one call of `play`, which gives its outcome as one byte; the
// games are dealt out in turn (game t to process t mod jobs), and the outcomes come
// back through pipes. A game's outcome must depend on its number alone, so the
// results do not depend on the number of processes.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// The most games one call plays (they are counted in 32 bits), and the most processes.
inline constexpr int64_t most_games_at_once = INT32_MAX;
inline constexpr int32_t largest_jobs = 1024;

// Fills outcomes[0 .. count - 1]; `progress` is called now and then with the number of
// games done, and returning false abandons the games (the processes are stopped). With
// `jobs` 1 (or where processes cannot be forked) the games are played here, one after
// the other. False when abandoned, or when a process failed (a message has been printed).
bool play_games(int32_t count, int32_t jobs, const std::function<uint8_t(int32_t)>& play,
                std::vector<uint8_t>& outcomes, const std::function<bool(int32_t)>& progress);

// "" where the games are spread over processes; in the Windows builds, which play every
// game in this one process, a line that says so, for the usage texts and the runs that
// name a number of processes.
extern const char* const one_process_note;

// The processors this machine has online (at least 1).
int32_t processors_online();
bool standard_error_is_terminal();
