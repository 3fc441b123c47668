// The header and the network slots of a network file kept open: slot s lies where
// network s lies in the image, at offset 4 + (s - 1) * 17040.
#pragma once
#include <cstdint>

#include "network_file.h"

// Opens file `name` for reading and writing without creating it: its handle, and in
// `bytes` its size.
FileResult open_image(const char* name);
// Reads the 4 header bytes at offset 0 into `header`; `bytes` says how many there were.
FileResult read_header(int32_t handle, float& header);
// Writes `header` at offset 0.
FileResult write_header(int32_t handle, float header);
// Writes network k of `population` into slot s.
FileResult write_slot(int32_t handle, int32_t s, const float* population, int32_t k);
// Reads slots 1..36 into networks 1..36 of `population`, one read each; the header
// element is not touched. Where the file ends early, the rest stays as it was.
FileResult read_slots(int32_t handle, float* population);
void close_image(int32_t handle);
