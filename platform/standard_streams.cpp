#include "standard_streams.h"

#include <cerrno>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>

void keep_standard_streams_open()
{
    for (int stream = 0; stream <= 2; ++stream) {
        if (_get_osfhandle(stream) != -1)
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
