#include "file_replacement.h"
#include "replacement_names.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string folder_of(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_in_folder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that a replacement of `name` replaces: through a link, the file that the
// link names, so that the link stays and the file it names is renewed. Empty for a
// link that leads nowhere.
std::string resolved_target(const char* name)
{
    struct stat status;
    if (lstat(name, &status) != 0 || !S_ISLNK(status.st_mode))
        return name;
    char* resolved = realpath(name, nullptr);
    if (resolved == nullptr)
        return {};
    std::string target = resolved;
    std::free(resolved);
    return target;
}

// The new content is on disk before its name replaces the old file, and the new name
// is on disk after it.
bool flush_and_rename(int handle, const std::string& temporary, const std::string& target)
{
    if (fsync(handle) != 0)
        return false;
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return false;
    const int folder = open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder); // some file systems cannot flush a folder; the rename is done anyway
        close(folder);
    }
    return true;
}

} // namespace

struct ReplacementFlush {
    pthread_t thread{};
    int handle = -1;
    std::string temporary, target;
    bool done_well = false;
};

namespace {

void* run_flush(void* argument)
{
    auto* flush = static_cast<ReplacementFlush*>(argument);
    flush->done_well = flush_and_rename(flush->handle, flush->temporary, flush->target);
    return nullptr;
}

void close_replacement(FileReplacement& replacement, bool done_well)
{
    if (replacement.handle >= 0)
        close(replacement.handle);
    replacement.handle = -1;
    if (!done_well)
        unlink(replacement.temporary.c_str());
    replacement.failed = !done_well;
}

} // namespace

int32_t replacement_begin(const char* name, FileReplacement& replacement)
{
    replacement = FileReplacement{};
    replacement.target = resolved_target(name);
    if (replacement.target.empty())
        return -1;
    struct stat old;
    const bool replaces = stat(replacement.target.c_str(), &old) == 0;
    if (replaces && !S_ISREG(old.st_mode))
        return -1;
    replacement.temporary = replacement.target + temporary_marker + std::to_string(getpid());
    unlink(replacement.temporary.c_str()); // a left-over of an earlier process with our number
    int handle;
    do
        handle = open(replacement.temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    while (handle < 0 && errno == EINTR);
    if (handle < 0)
        return -1;
    if (replaces) {
        if (old.st_uid != geteuid() || old.st_gid != getegid())
            (void)!fchown(handle, old.st_uid, old.st_gid); // allowed to root, and within one's groups
        fchmod(handle, old.st_mode & 07777);
    }
    replacement.handle = handle;
    return handle;
}

bool replacement_commit(FileReplacement& replacement)
{
    const bool done_well = flush_and_rename(replacement.handle, replacement.temporary, replacement.target);
    close_replacement(replacement, done_well);
    return done_well;
}

void replacement_commit_in_background(FileReplacement& replacement)
{
    auto flush = std::make_shared<ReplacementFlush>();
    flush->handle = replacement.handle;
    flush->temporary = replacement.temporary;
    flush->target = replacement.target;
    // The flush thread takes no signal: they all reach the main line, as before.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const bool started = pthread_create(&flush->thread, nullptr, run_flush, flush.get()) == 0;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (started)
        replacement.flush = std::move(flush);
    else
        replacement_commit(replacement);
}

bool replacement_pending(const FileReplacement& replacement) { return replacement.flush != nullptr; }

bool replacement_finish(FileReplacement& replacement)
{
    if (!replacement.flush)
        return !replacement.failed;
    pthread_join(replacement.flush->thread, nullptr);
    const bool done_well = replacement.flush->done_well;
    replacement.flush.reset();
    close_replacement(replacement, done_well);
    return done_well;
}

void replacement_abandon(FileReplacement& replacement)
{
    if (replacement.flush)
        replacement_finish(replacement);
    if (replacement.handle >= 0) {
        close(replacement.handle);
        unlink(replacement.temporary.c_str());
    }
    replacement.handle = -1;
}

void remove_stale_replacements(const char* name)
{
    std::string target = resolved_target(name);
    if (target.empty())
        target = name;
    const std::string folder = folder_of(target);
    const std::string prefix = name_in_folder(target) + temporary_marker;
    DIR* entries = opendir(folder.c_str());
    if (entries == nullptr)
        return;
    while (const dirent* entry = readdir(entries)) {
        const std::string entry_name = entry->d_name;
        const int64_t number = process_of_temporary(entry_name, prefix);
        if (number < 0)
            continue;
        const auto process = static_cast<pid_t>(number);
        // Only a temporary file whose process is gone: another run may be writing one.
        if (process != getpid() && kill(process, 0) != 0 && errno == ESRCH)
            unlink((folder + "/" + entry_name).c_str());
    }
    closedir(entries);
}
