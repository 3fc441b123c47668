// Whole network files: one image read into a population buffer, or written as a new
// file beside the old one and put in its place only once complete and on disk, so
// that the file is always one whole image, the old or the new.
#pragma once
#include <cstdint>

#include "file_replacement.h"
#include "network_file.h"

enum class Access { read_only, read_write };

// Reads the image of file `name` into `population`: 17044 bytes (header and network 1)
// from its first byte, then networks 2..36, one read each; bytes after the last
// network stay unread. While `pending` (a write of this file) is still being put in
// place, its new content is read instead: the very bytes that the file will hold.
// A file shorter than an image is incomplete, and `bytes` says how long it is.
FileResult read_image(const char* name, float* population, Access access,
                      const FileReplacement* pending = nullptr);

enum class Completion { at_once, in_background };

// Stores `header` in element 0 of `population` and writes the whole image, followed
// by whatever the old file held after its last network, into a new file beside
// `name` (with the old file's permissions), then puts it in the file's place: at
// once, or in the background, when finish_image_write gives the outcome. On a failure
// the old file stays as it was and nothing is left beside it; `bytes` says how much
// of the image had been written.
FileResult write_image(const char* name, float header, float* population, FileReplacement& write,
                       Completion completion);
// Waits until a write in the background is done: write_failed when the new file
// could not be put in place (the old one then stays). Done at once when none is under way.
FileResult finish_image_write(FileReplacement& write);
// Whether a new file could be made beside `name` (cannot_open when not): tried, then removed.
FileResult try_image_write(const char* name);
