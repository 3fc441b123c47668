#include "image_file.h"

#include <cstring>

#include "lowfile.h"
#include "shape.h"

namespace {

// One transfer per network; the header travels with network 1.
uint32_t transfer_size(int32_t k) { return k == 1 ? network_bytes + 4 : network_bytes; }

// Copies the bytes that the old file holds after its last network into the new one.
// Returns the handle a transfer failed on, or -1.
int32_t keep_tail_of_old_file(const char* name, int32_t handle)
{
    const int32_t old = file_open(name, OpenMode::read_only);
    if (old < 0)
        return -1; // no old file: nothing to keep
    file_seek(old, population_bytes);
    static unsigned char chunk[65536];
    int32_t failed_on = -1;
    for (;;) {
        const int32_t got = file_read(old, chunk, sizeof chunk);
        if (got <= 0) {
            if (got < 0)
                failed_on = old;
            break;
        }
        if (file_write(handle, chunk, static_cast<uint32_t>(got)) < 0) {
            failed_on = handle;
            break;
        }
    }
    file_close(old);
    return failed_on;
}

} // namespace

FileResult read_image(const char* name, float* population, Access access, const FileReplacement* pending)
{
    const bool from_pending = pending != nullptr && replacement_pending(*pending);
    const OpenMode mode = access == Access::read_write ? OpenMode::read_write : OpenMode::read_only;
    const int32_t handle = from_pending ? pending->handle : file_open(name, mode);
    if (handle < 0)
        return {FileStatus::cannot_open};
    if (from_pending)
        file_seek(handle, 0);
    FileResult result{FileStatus::done, handle, 0};
    auto* place = reinterpret_cast<unsigned char*>(population);
    for (int32_t k = 1; k <= networks; ++k) {
        const int32_t got = file_read(handle, place, transfer_size(k));
        if (got < 0) {
            result.status = FileStatus::read_failed;
            break;
        }
        result.bytes += got;
        place += transfer_size(k);
    }
    if (!from_pending)
        file_close(handle);
    if (result.status == FileStatus::done && result.bytes < population_bytes)
        result.status = FileStatus::incomplete;
    return result;
}

FileResult write_image(const char* name, float header, float* population, FileReplacement& write,
                       Completion completion)
{
    const int32_t handle = replacement_begin(name, write);
    if (handle < 0)
        return {FileStatus::cannot_open};
    std::memcpy(population, &header, sizeof header);
    FileResult result{FileStatus::done, handle, 0};
    const auto* place = reinterpret_cast<const unsigned char*>(population);
    for (int32_t k = 1; k <= networks; ++k) {
        const int32_t written = file_write(handle, place, transfer_size(k));
        if (written < 0) {
            replacement_abandon(write);
            result.status = FileStatus::write_failed;
            return result;
        }
        result.bytes += written;
        place += transfer_size(k);
    }
    if (const int32_t failed_on = keep_tail_of_old_file(name, handle); failed_on >= 0) {
        replacement_abandon(write);
        return {FileStatus::write_failed, failed_on, result.bytes};
    }
    if (completion == Completion::at_once) {
        if (!replacement_commit(write))
            result.status = FileStatus::write_failed;
        return result;
    }
    replacement_commit_in_background(write);
    if (!replacement_pending(write) && finish_image_write(write).status != FileStatus::done)
        result.status = FileStatus::write_failed;
    return result;
}

FileResult finish_image_write(FileReplacement& write)
{
    const int32_t handle = write.handle;
    const bool done_well = replacement_finish(write);
    write.failed = false; // the failure is told once
    return {done_well ? FileStatus::done : FileStatus::write_failed, handle, 0};
}

FileResult try_image_write(const char* name)
{
    FileReplacement trial;
    if (replacement_begin(name, trial) < 0)
        return {FileStatus::cannot_open};
    replacement_abandon(trial);
    return {};
}
