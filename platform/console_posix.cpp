#include "console.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::FILE* console_stream = stdout;
bool console_utf8 = false;

termios saved_terminal;
bool terminal_changed = false;

volatile std::sig_atomic_t stop_signal = 0;
int32_t pending_key = -1;     // a key read ahead by key_waiting
bool input_ended = false;

termios key_mode;

void on_stop_signal(int) { stop_signal = 1; }

// A fatal signal: give the terminal back, then die of the signal as usual.
void on_fatal_signal(int number)
{
    if (terminal_changed)
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
    std::signal(number, SIG_DFL);
    std::raise(number);
}

// Ctrl+Z: the shell gets its terminal back while we are stopped, and we take it
// again when we are continued.
void on_suspend(int)
{
    const int saved_errno = errno;
    if (terminal_changed)
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
    std::signal(SIGTSTP, SIG_DFL);
    std::raise(SIGTSTP);
    std::signal(SIGTSTP, on_suspend);
    if (terminal_changed)
        tcsetattr(STDIN_FILENO, TCSANOW, &key_mode);
    errno = saved_errno;
}

bool locale_is_utf8()
{
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    char saved[64] = "C";
    if (previous)
        std::strncpy(saved, previous, sizeof saved - 1);
    bool utf8 = false;
    if (std::setlocale(LC_CTYPE, "")) {
        const char* codeset = nl_langinfo(CODESET);
        utf8 = codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
    }
    std::setlocale(LC_CTYPE, saved);
    return utf8;
}

// Fetches one byte from standard input; waits at most `timeout_ms` (-1: for ever).
// Returns the byte, -1 when nothing came in time, or a key_ constant.
int32_t fetch_byte(int timeout_ms)
{
    for (;;) {
        if (stop_signal)
            return key_stop;
        if (input_ended)
            return key_end_of_input;
        pollfd in{STDIN_FILENO, POLLIN, 0};
        const int ready = poll(&in, 1, timeout_ms);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            input_ended = true;
            continue;
        }
        if (ready == 0)
            return -1;
        unsigned char byte;
        const ssize_t got = read(STDIN_FILENO, &byte, 1);
        if (got == 1)
            return byte;
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        input_ended = true; // end of input, or an error that will not go away
    }
}

} // namespace

void console_restore()
{
    if (terminal_changed) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
        terminal_changed = false;
    }
}

void console_start()
{
    if (isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved_terminal) == 0) {
        key_mode = saved_terminal;
        key_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        key_mode.c_cc[VMIN] = 1;
        key_mode.c_cc[VTIME] = 0;
        if (tcsetattr(STDIN_FILENO, TCSANOW, &key_mode) == 0) {
            terminal_changed = true;
            std::atexit(console_restore);
            for (int number : {SIGQUIT, SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
                std::signal(number, on_fatal_signal);
            std::signal(SIGTSTP, on_suspend);
        }
    }
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    console_set_stream(stdout, isatty(STDOUT_FILENO) && locale_is_utf8());
}

bool key_waiting()
{
    if (stop_signal)
        return true;
    if (pending_key < 0) {
        const int32_t byte = fetch_byte(0);
        if (byte >= 0)
            pending_key = byte;
        else if (byte == key_stop)
            return true;
    }
    return pending_key >= 0;
}

int32_t read_key()
{
    if (stop_signal)
        return key_stop;
    if (pending_key >= 0) {
        const int32_t key = pending_key;
        pending_key = -1;
        return key;
    }
    return fetch_byte(-1);
}

void console_set_stream(std::FILE* stream, bool as_utf8)
{
    console_stream = stream;
    console_utf8 = as_utf8;
}

void console_print(const char* format, ...)
{
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
    std::fflush(console_stream);
}
