#include "hall_of_fame_load.h"

#include "hall_of_fame_file.h"
#include "lowfile.h"
#include "shape.h"

HallOfFameLoad load_hall_of_fame_file(float* population)
{
    const int32_t handle = file_open(hall_of_fame_file_name, OpenMode::read_write);
    if (handle < 0)
        return HallOfFameLoad::cannot_open;
    auto* bytes = reinterpret_cast<unsigned char*>(population);
    int64_t loaded = 0;
    for (int32_t s = 1; s <= networks; ++s) {
        const uint32_t size = s == 1 ? network_bytes + 4 : network_bytes;
        const int32_t got = file_read(handle, bytes, size);
        if (got < 0) {
            file_close(handle);
            return HallOfFameLoad::read_failed;
        }
        loaded += got;
        bytes += size;
    }
    file_close(handle);
    return loaded < population_bytes ? HallOfFameLoad::read_failed : HallOfFameLoad::loaded;
}
