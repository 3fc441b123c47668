#include "lowfile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#include <io.h>
#define open _open
#define read _read
#define write _write
#define lseek _lseeki64
#define close _close
using file_status = struct _stat64;
#define stat_of_name _stat64
#define stat_of_handle _fstat64
constexpr int owner_read_write = _S_IREAD | _S_IWRITE;
#else
#include <unistd.h>
using file_status = struct stat;
#define stat_of_name stat
#define stat_of_handle fstat
constexpr int owner_read_write = S_IRUSR | S_IWUSR;
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif

namespace {

bool is_ordinary(const file_status& status) { return (status.st_mode & S_IFMT) == S_IFREG; }

} // namespace

int32_t file_open(const char* name, OpenMode mode)
{
    // Something that exists but is no ordinary file is not even opened: opening a
    // device may act on it, and a named pipe would wait for its other end.
    file_status status;
    if (stat_of_name(name, &status) == 0 && !is_ordinary(status))
        return -1;

    int flags = O_BINARY | O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
    case OpenMode::read_only: flags |= O_RDONLY; break;
    case OpenMode::read_write: flags |= O_RDWR; break;
    case OpenMode::write_only_create: flags |= O_WRONLY | O_CREAT; break;
    }
    int handle;
    do
        handle = open(name, flags, owner_read_write);
    while (handle < 0 && errno == EINTR);
    if (handle < 0)
        return -1;
    // The name may have changed between the look and the open: check what was opened.
    if (stat_of_handle(handle, &status) != 0 || !is_ordinary(status)) {
        close(handle);
        return -1;
    }
#ifndef _WIN32
    // Transfers on an ordinary file wait for the disk as usual.
    fcntl(handle, F_SETFL, fcntl(handle, F_GETFL) & ~O_NONBLOCK);
#endif
    return handle;
}

bool file_exists(const char* name)
{
#ifdef _WIN32
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat status;
    return lstat(name, &status) == 0;
#endif
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

int64_t file_size(int32_t handle)
{
    file_status status;
    if (stat_of_handle(handle, &status) != 0)
        return -1;
    return static_cast<int64_t>(status.st_size);
}

int32_t file_close(int32_t handle) { return close(handle); }
