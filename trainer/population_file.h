// The population file "elvarfl.don" as the trainer keeps it: loaded at start-up and
// by the hall-of-fame step, saved every 200 generations, at every champion and at the end.
#pragma once

// The number of the last generation begun; the header of the population file.
inline float generation_counter = 0.0f;

// Fills the current population and the generation counter from the file, or ends
// the program with its message. A file that is short, or holds a counter or a weight
// that is no number, is refused and left as it is.
void load_population();
// Writes the current population with the generation counter as its header, or ends
// the program with its message. The file is replaced whole (keeping the old file's
// bytes after the population and its permissions), the flush and the renaming going
// on in the background: load_population reads the new content all the same, and
// finish_population_save waits for it.
void save_population();
// Ends the program with the open failure's message when no save could be made (the
// new file cannot be created beside the old one: a folder that is not writable), so
// that a run does not find it out only at its first save.
void check_population_can_be_saved();
// Waits until the last save is on disk under its name; a failure ends the program with
// the save's message.
void finish_population_save();
// The same without a message, for a program that ends on another failure: false when
// the last save could not be completed (the previous file then stays).
bool population_save_finished();
