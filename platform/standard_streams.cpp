#include "standard_streams.h"

#include <cerrno>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>

#include <cstdint>

void keep_standard_streams_open()
{
    // The runtime keeps numbers 0 to 2 for the standard streams; one without a handle
    // (-1 closed, -2 never given one) gets the null device.
    for (int stream = 0; stream <= 2; ++stream) {
        const intptr_t handle = _get_osfhandle(stream);
        if (handle != -1 && handle != -2)
            continue;
        const int null_device = _open("NUL", stream == 0 ? _O_RDONLY : _O_WRONLY);
        if (null_device >= 0 && null_device != stream) {
            _dup2(null_device, stream);
            _close(null_device);
        }
    }
}

#else
#include <unistd.h>

void keep_standard_streams_open()
{
    for (int stream = 0; stream <= 2; ++stream) {
        if (fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number is taken, which is this one.
        const int null_device = open("/dev/null", stream == 0 ? O_RDONLY : O_WRONLY);
        if (null_device >= 0 && null_device != stream) {
            dup2(null_device, stream);
            close(null_device);
        }
    }
}

#endif
