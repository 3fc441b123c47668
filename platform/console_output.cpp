// Formatted output of the console, shared by the POSIX and the Windows console.
#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "console.h"

namespace {
std::FILE* console_stream = stdout;
bool console_utf8 = false;
bool console_lost = false; // a write failed: the stream takes nothing more
}

void console_set_stream(std::FILE* stream, bool as_utf8)
{
    console_stream = stream;
    console_lost = false;
#ifdef _WIN32
    // A Windows console is switched to code page 1252: the bytes always go out as they are.
    (void)as_utf8;
#else
    console_utf8 = as_utf8;
#endif
}

void console_print(const char* format, ...)
{
    if (console_lost)
        return;
    char text[512];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length <= 0)
        return;
    const size_t bytes = std::min<size_t>(static_cast<size_t>(length), sizeof text - 1);
    if (!console_utf8) {
        std::fwrite(text, 1, bytes, console_stream);
    } else {
        // Windows-1252 letters of our texts lie in the Latin-1 range: two UTF-8 bytes each.
        char shown[2 * sizeof text];
        size_t n = 0;
        for (size_t i = 0; i < bytes; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c < 0x80) {
                shown[n++] = static_cast<char>(c);
            } else {
                shown[n++] = static_cast<char>(0xC0 | (c >> 6));
                shown[n++] = static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        std::fwrite(shown, 1, n, console_stream);
    }
    if (std::fflush(console_stream) != 0 || std::ferror(console_stream)) {
        console_lost = true;
        console_output_failed();
    }
}
