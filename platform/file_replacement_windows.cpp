// On Windows a file cannot be renamed while it is open through the runtime's handles,
// so the commit is always done at once: flush, close, then move over the old file.
#include "file_replacement.h"
#include "replacement_names.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

namespace {

std::string folder_of(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

std::string name_in_folder(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool process_exists(DWORD process)
{
    const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (handle != nullptr) {
        CloseHandle(handle);
        return true;
    }
    return GetLastError() != ERROR_INVALID_PARAMETER; // access denied: it exists
}

} // namespace

struct ReplacementFlush {};

int32_t replacement_begin(const char* name, FileReplacement& replacement)
{
    replacement = FileReplacement{};
    replacement.target = name;
    const DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return -1;
    replacement.temporary = replacement.target + temporary_marker + std::to_string(_getpid());
    _unlink(replacement.temporary.c_str());
    const int handle = _open(replacement.temporary.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY,
                             _S_IREAD | _S_IWRITE);
    replacement.handle = handle;
    return handle;
}

bool replacement_commit(FileReplacement& replacement)
{
    bool done_well = _commit(replacement.handle) == 0;
    _close(replacement.handle);
    replacement.handle = -1;
    done_well = done_well && MoveFileExA(replacement.temporary.c_str(), replacement.target.c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!done_well)
        _unlink(replacement.temporary.c_str());
    replacement.failed = !done_well;
    return done_well;
}

void replacement_commit_in_background(FileReplacement& replacement) { replacement_commit(replacement); }

bool replacement_pending(const FileReplacement&) { return false; }

bool replacement_finish(FileReplacement& replacement) { return !replacement.failed; }

void replacement_abandon(FileReplacement& replacement)
{
    if (replacement.handle >= 0) {
        _close(replacement.handle);
        _unlink(replacement.temporary.c_str());
    }
    replacement.handle = -1;
}

void remove_stale_replacements(const char* name)
{
    const std::string folder = folder_of(name);
    const std::string prefix = name_in_folder(name) + temporary_marker;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "\\" + prefix + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string entry_name = entry.cFileName;
        const int64_t number = process_of_temporary(entry_name, prefix);
        if (number < 0)
            continue;
        const auto process = static_cast<DWORD>(number);
        if (process != GetCurrentProcessId() && !process_exists(process))
            _unlink((folder + "\\" + entry_name).c_str());
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}
