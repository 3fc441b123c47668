// A folder cannot be locked on Windows: a named mutex stands for it, named after the
// folder's full path, and the system drops it when the process ends.
#include "folder_lock.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

namespace {

// The folder's path as the system names it (links and short names resolved), in one case.
std::string folder_path(const char* folder)
{
    char path[MAX_PATH * 2] = "";
    const HANDLE handle = CreateFileA(folder, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    DWORD length = 0;
    if (handle != INVALID_HANDLE_VALUE) {
        length = GetFinalPathNameByHandleA(handle, path, sizeof path, FILE_NAME_NORMALIZED);
        CloseHandle(handle);
    }
    if (length == 0 || length >= sizeof path)
        length = GetFullPathNameA(folder, sizeof path, path, nullptr);
    if (length == 0 || length >= sizeof path)
        return {};
    std::string text(path, length);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return c == '\\' ? '/' : static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

FolderLock take_folder_lock(const char* folder)
{
    FolderLock lock;
    const std::string path = folder_path(folder);
    if (path.empty())
        return lock;
    // A mutex name is limited in length: a long path is shortened and told apart by its hash.
    constexpr size_t longest = 200;
    const std::string key = path.size() <= longest
                                ? path
                                : path.substr(0, longest - 20) + std::to_string(std::hash<std::string>{}(path));
    const std::string name = "Local\\elvarin-run:" + key;
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (mutex == nullptr) {
        if (GetLastError() == ERROR_ACCESS_DENIED)
            lock.state = FolderLockState::held_by_another;
        return lock;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        lock.state = FolderLockState::held_by_another;
        return lock;
    }
    lock.state = FolderLockState::ours;
    lock.handle = reinterpret_cast<intptr_t>(mutex);
    return lock;
}

void release_folder_lock(FolderLock& lock)
{
    if (lock.state == FolderLockState::ours)
        CloseHandle(reinterpret_cast<HANDLE>(lock.handle));
    lock = FolderLock{};
}

std::string folder_identity(const char* folder) { return folder_path(folder); }
