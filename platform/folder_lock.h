// One trainer per working folder: a lock on the folder itself, held for the whole run.
// The folder is never replaced, unlike the population file, which every save renews.
#pragma once
#include <cstdint>

enum class FolderLockState {
    ours,            // we hold the lock
    held_by_another, // another run (another process, or another lock of this one) holds it
    unavailable,     // the system cannot lock this folder (some network file systems): go on without
};

struct FolderLock {
    FolderLockState state = FolderLockState::unavailable;
    intptr_t handle = -1; // what holds the lock while it is ours
};

// Locks the working folder, without waiting.
FolderLock take_folder_lock();
// Lets the lock go (nothing when it was not ours).
void release_folder_lock(FolderLock& lock);
