// One run per folder: a lock on the folder that holds a run's files, held for the whole
// run. The folder is never replaced, unlike the files in it, which every save renews.
// The trainer locks its working folder, the evolution program every folder that holds
// one of its files: two runs never write in one folder at once.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class FolderLockState {
    ours,            // we hold the lock
    held_by_another, // another run (another process, or another lock of this one) holds it
    unavailable,     // the system cannot lock this folder (some network file systems): go on without
};

struct FolderLock {
    FolderLockState state = FolderLockState::unavailable;
    intptr_t handle = -1; // what holds the lock while it is ours
};

// Locks `folder`, without waiting.
FolderLock take_folder_lock(const char* folder);
// Lets the lock go (nothing when it was not ours).
void release_folder_lock(FolderLock& lock);
// What tells `folder` from any other, however it is named; "" when it cannot be found.
std::string folder_identity(const char* folder);

struct FolderLocks {
    std::vector<FolderLock> held;
    std::string busy; // the folder that another run holds, or "" when none does
};

// Locks the folders that hold `files` (through links, where the files really are), each
// folder once, without waiting. When another run holds one of them, `busy` names it and
// none is held; a folder that cannot be locked is gone on without.
FolderLocks take_folder_locks(const std::vector<std::string>& files);
void release_folder_locks(FolderLocks& locks);
