#include "standard_streams.h"

#include <cerrno>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>

#include <cstdint>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
// The runtime keeps numbers 0 to 2 for the standard streams; one without a handle
// (-1 closed, -2 never given one) is missing.
bool stream_missing(int stream)
{
    const intptr_t handle = _get_osfhandle(stream);
    return handle == -1 || handle == -2;
}
int open_null_device(bool for_reading) { return _open("NUL", for_reading ? _O_RDONLY : _O_WRONLY); }
void move_handle(int from, int to)
{
    _dup2(from, to);
    _close(from);
}
#else
bool stream_missing(int stream) { return fcntl(stream, F_GETFD) == -1 && errno == EBADF; }
int open_null_device(bool for_reading) { return open("/dev/null", for_reading ? O_RDONLY : O_WRONLY); }
void move_handle(int from, int to)
{
    dup2(from, to);
    close(from);
}
#endif

} // namespace

void keep_standard_streams_open()
{
    for (int stream = 0; stream <= 2; ++stream) {
        if (!stream_missing(stream))
            continue;
        // The lowest free number is taken, which is this one; else the device moves there.
        const int null_device = open_null_device(stream == 0);
        if (null_device >= 0 && null_device != stream)
            move_handle(null_device, stream);
    }
}
