// Low-level file access on numeric handles, in binary mode, never truncating.
#pragma once
#include <cstdint>

enum class OpenMode {
    read_write,            // the file must exist
    read_write_create,     // created if missing
    write_only_create,     // created if missing
};

// The handle, or -1 when the file can be neither opened nor created. A new file
// is an ordinary file that its owner may read and write.
int32_t file_open(const char* name, OpenMode mode);
// Bytes transferred (0 at the end of the file), or -1 when the operation reports an error.
int32_t file_read(int32_t handle, void* buffer, uint32_t bytes);
int32_t file_write(int32_t handle, const void* buffer, uint32_t bytes);
// Positions the handle at `offset` bytes from the start of the file.
int64_t file_seek(int32_t handle, int64_t offset);
int32_t file_close(int32_t handle);
