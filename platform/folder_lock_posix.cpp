#include "folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FolderLock take_folder_lock(const char* name)
{
    FolderLock lock;
    const int folder = open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return lock;
    int result;
    do
        result = flock(folder, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result != 0) {
        lock.state = errno == EWOULDBLOCK ? FolderLockState::held_by_another : FolderLockState::unavailable;
        close(folder);
        return lock;
    }
    lock.state = FolderLockState::ours;
    lock.handle = folder;
    return lock;
}

void release_folder_lock(FolderLock& lock)
{
    if (lock.state == FolderLockState::ours)
        close(static_cast<int>(lock.handle));
    lock = FolderLock{};
}
