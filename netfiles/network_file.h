// The two network files are byte images of a population buffer: a 4-byte header,
// then networks 1..36 of 17040 bytes each (network k at offset 4 + (k - 1) * 17040),
// all of it little-endian single-precision floats. The functions of this folder move
// such bytes between a file and a population buffer and say how it went; what a
// failure means, and what to tell the person, is for the program that called them.
#pragma once
#include <cstdint>

inline constexpr const char* population_file_name = "elvarfl.don";
inline constexpr const char* hall_of_fame_file_name = "meillfl.don";

enum class FileStatus {
    done,
    cannot_open,  // can be neither opened nor created: missing, protected, or no ordinary file
    read_failed,  // a read reported an error
    write_failed, // a write reported an error, or the new file could not be put in place
    incomplete,   // the file ends before the end of its last network
};

struct FileResult {
    FileStatus status = FileStatus::done;
    int32_t handle = -1; // the handle the transfers went through, for the messages that name it
    int64_t bytes = 0;   // bytes transferred (before the failure), or the size of an opened file
};
