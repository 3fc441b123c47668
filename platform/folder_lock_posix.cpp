#include "folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

FolderLock take_folder_lock(const char* folder)
{
    FolderLock lock;
    const int handle = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return lock;
    int result;
    do
        result = flock(handle, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        lock.state = errno == EWOULDBLOCK ? FolderLockState::held_by_another : FolderLockState::unavailable;
        close(handle);
        return lock;
    }
    lock.state = FolderLockState::ours;
    lock.handle = handle;
    return lock;
}

void release_folder_lock(FolderLock& lock)
{
    if (lock.state == FolderLockState::ours)
        close(static_cast<int>(lock.handle));
    lock = FolderLock{};
}

std::string folder_identity(const char* folder)
{
    struct stat status;
    if (stat(folder, &status) != 0 || !S_ISDIR(status.st_mode))
        return "";
    return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
}
