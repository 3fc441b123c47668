#include "image_parts.h"

#include "lowfile.h"
#include "shape.h"

namespace {

int64_t slot_offset(int32_t s) { return static_cast<int64_t>(s - 1) * network_bytes + 4; }

FileResult transferred(int32_t handle, int32_t result, FileStatus failure)
{
    return result < 0 ? FileResult{failure, handle, 0} : FileResult{FileStatus::done, handle, result};
}

} // namespace

FileResult open_image(const char* name)
{
    const int32_t handle = file_open(name, OpenMode::read_write);
    if (handle < 0)
        return {FileStatus::cannot_open};
    return {FileStatus::done, handle, file_size(handle)};
}

FileResult read_header(int32_t handle, float& header)
{
    file_seek(handle, 0);
    return transferred(handle, file_read(handle, &header, sizeof header), FileStatus::read_failed);
}

FileResult write_header(int32_t handle, float header)
{
    file_seek(handle, 0);
    return transferred(handle, file_write(handle, &header, sizeof header), FileStatus::write_failed);
}

FileResult write_slot(int32_t handle, int32_t s, const float* population, int32_t k)
{
    file_seek(handle, slot_offset(s));
    return transferred(handle, file_write(handle, population + network_base(k) + 1, network_bytes),
                       FileStatus::write_failed);
}

FileResult read_slots(int32_t handle, float* population)
{
    file_seek(handle, slot_offset(1));
    FileResult result{FileStatus::done, handle, 0};
    for (int32_t s = 1; s <= networks; ++s) {
        const int32_t got = file_read(handle, population + network_base(s) + 1, network_bytes);
        if (got < 0)
            return {FileStatus::read_failed, handle, result.bytes};
        result.bytes += got;
    }
    return result;
}

void close_image(int32_t handle) { file_close(handle); }
