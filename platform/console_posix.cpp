#include "console.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {


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
