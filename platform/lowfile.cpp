#include "lowfile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#define open _open
#define read _read
#define write _write
#define lseek _lseeki64
#define close _close
constexpr int owner_read_write = _S_IREAD | _S_IWRITE;
#else
#include <unistd.h>
constexpr int owner_read_write = S_IRUSR | S_IWUSR;
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

int32_t file_open(const char* name, OpenMode mode)
{
    int flags = O_BINARY;
    switch (mode) {
    case OpenMode::read_write: flags |= O_RDWR; break;
    case OpenMode::read_write_create: flags |= O_RDWR | O_CREAT; break;
    case OpenMode::write_only_create: flags |= O_WRONLY | O_CREAT; break;
    }
    int handle;
    do
        handle = open(name, flags, owner_read_write);
    while (handle < 0 && errno == EINTR);
    return handle;
}

// A signal that arrives during a transfer is not an error of the file: retry.
int32_t file_read(int32_t handle, void* buffer, uint32_t bytes)
{
    int result;
    do
        result = static_cast<int>(read(handle, buffer, bytes));
    while (result < 0 && errno == EINTR);
    return result;
}

int32_t file_write(int32_t handle, const void* buffer, uint32_t bytes)
{
    int result;
    do
        result = static_cast<int>(write(handle, buffer, bytes));
    while (result < 0 && errno == EINTR);
    return result;
}

int64_t file_seek(int32_t handle, int64_t offset) { return lseek(handle, offset, SEEK_SET); }

int32_t file_close(int32_t handle) { return close(handle); }
