// Low-level file access on numeric handles, in binary mode, never truncating.
#pragma once
#include <cstdint>

enum class OpenMode {
    read_only,             // the file must exist
    read_write,            // the file must exist
    write_only_create,     // created if missing
};

// The handle, or -1 when the file can be neither opened nor created. Only ordinary
// files are opened (a link to one too): a folder, a device or a named pipe is
// refused at once, without waiting for a writer or reader on the other side. A new
// file is an ordinary file that its owner may read and write.
int32_t file_open(const char* name, OpenMode mode);
// True when something, even a link that leads nowhere, bears the name.
bool file_exists(const char* name);
// Bytes transferred (0 at the end of the file), or -1 when the operation reports an error.
int32_t file_read(int32_t handle, void* buffer, uint32_t bytes);
int32_t file_write(int32_t handle, const void* buffer, uint32_t bytes);
// Positions the handle at `offset` bytes from the start of the file.
int64_t file_seek(int32_t handle, int64_t offset);
// The length of the open file in bytes, or -1.
int64_t file_size(int32_t handle);
int32_t file_close(int32_t handle);
