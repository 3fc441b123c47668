// Replacing a whole file so that a crash, a kill or a full disk never leaves it torn:
// the new content goes into a temporary file beside it, which is flushed to disk and
// then renamed over the old file. Until the rename the old file stays as it was.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct ReplacementFlush; // a flush and rename running in the background

struct FileReplacement {
    int32_t handle = -1;   // the new content is written here; it may be read back too
    std::string temporary; // "<file>.tmp-<process number>", beside the file it replaces
    std::string target;    // the file replaced; through a link, the file the link names
    bool failed = false;   // the last flush or rename failed
    std::shared_ptr<ReplacementFlush> flush;
};

// Creates the temporary file that is to replace `name`. It takes over the permission
// bits (and, where allowed, the owner) of the file it replaces; a new file is one that
// its owner may read and write. The handle, or -1 when it cannot be created (or when
// `name` exists but is not an ordinary file, or is a link to nothing).
int32_t replacement_begin(const char* name, FileReplacement& replacement);
// Flushes the new content to disk and renames it over the old file; true when done.
// The handle is closed either way; after a failure the temporary file is removed.
bool replacement_commit(FileReplacement& replacement);
// The same, in the background where the system allows it; the handle stays open for
// reading until replacement_finish, which gives the outcome.
void replacement_commit_in_background(FileReplacement& replacement);
// True while a background commit has not been finished.
bool replacement_pending(const FileReplacement& replacement);
// Waits for a background commit and closes its handle; false when it failed (or when
// the last commit failed). True when there is nothing to wait for.
bool replacement_finish(FileReplacement& replacement);
// Closes and removes the temporary file; the old file stays as it was.
void replacement_abandon(FileReplacement& replacement);
// The whole content of `name` replaced with `size` bytes in one call: begun, written,
// committed; false, with the old file as it was, when any of it fails.
bool replace_file_with(const char* name, const void* bytes, size_t size);
// Removes the temporary files beside `name` that runs ended by a crash or a kill left
// behind: those whose process no longer exists.
void remove_stale_replacements(const char* name);
