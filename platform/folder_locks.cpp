// The folders of a run's files, each locked once: two locks of one folder in one process
// would shut each other out, however the folder is named.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "folder_lock.h"

namespace {

namespace fs = std::filesystem;

// The folder that holds `file`: through a link, the one that holds the file it names.
fs::path folder_holding(const std::string& file)
{
    std::error_code failed;
    fs::path path = fs::weakly_canonical(fs::path(file), failed);
    if (failed)
        path = file;
    path = path.parent_path();
    return path.empty() ? fs::path(".") : path;
}

} // namespace

FolderLocks take_folder_locks(const std::vector<std::string>& files)
{
    FolderLocks locks;
    std::vector<std::string> taken; // the identities of the folders locked
    for (const std::string& file : files) {
        const fs::path folder = folder_holding(file);
        const std::string identity = folder_identity(folder.string().c_str());
        if (identity.empty() || std::find(taken.begin(), taken.end(), identity) != taken.end())
            continue; // no such folder (nothing can be written there), or locked already
        taken.push_back(identity);
        const FolderLock lock = take_folder_lock(folder.string().c_str());
        if (lock.state == FolderLockState::held_by_another) {
            release_folder_locks(locks);
            locks.busy = folder.string();
            return locks;
        }
        locks.held.push_back(lock);
    }
    return locks;
}

void release_folder_locks(FolderLocks& locks)
{
    for (FolderLock& lock : locks.held)
        release_folder_lock(lock);
    locks.held.clear();
}
