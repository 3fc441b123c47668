// The trainer's console on POSIX systems: single keys from a terminal (or a file or pipe
// in its place), and the signals that stop, suspend and continue the process.
#include "console.h"
#include "console_keys.h"

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
bool input_ended = false;

termios key_mode;

void on_stop_signal(int) { stop_signal = 1; }

void catch_signal(int number, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
}

// A fatal signal: give the terminal back, then die of the signal as usual.
void on_fatal_signal(int number)
{
    if (terminal_changed)
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
    std::signal(number, SIG_DFL);
    std::raise(number);
}

bool in_foreground() { return tcgetpgrp(STDIN_FILENO) == getpgrp(); }

// Back from a stop (after Ctrl+Z, or any other): single keys again, once the terminal
// is ours. Continued in the background, the next continuation in the foreground does it.
void on_continue(int)
{
    const int saved_errno = errno;
    if (terminal_changed && in_foreground())
        tcsetattr(STDIN_FILENO, TCSANOW, &key_mode);
    errno = saved_errno;
}

// Ctrl+Z: the terminal goes back as it was, and the process stops at once by the
// signal's default action. The signal is blocked while this handler runs, so it is
// let through for that moment; the process goes on from here when it is continued.
void on_suspend(int)
{
    const int saved_errno = errno;
    if (terminal_changed && in_foreground())
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_terminal);
    struct sigaction stop {};
    stop.sa_handler = SIG_DFL;
    sigemptyset(&stop.sa_mask);
    struct sigaction ours {};
    sigaction(SIGTSTP, &stop, &ours);
    sigset_t suspend;
    sigemptyset(&suspend);
    sigaddset(&suspend, SIGTSTP);
    raise(SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &suspend, nullptr); // the stop happens here
    sigaction(SIGTSTP, &ours, nullptr);
    on_continue(SIGCONT);
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

void console_output_failed() { stop_signal = 1; }

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
            catch_signal(SIGTSTP, on_suspend);
            catch_signal(SIGCONT, on_continue);
        }
    }
    for (int number : {SIGINT, SIGTERM, SIGHUP})
        catch_signal(number, on_stop_signal);
    // A reader of our output that goes away (as "trainer | head") and a file size limit
    // make the transfer fail instead of killing the process: the output failure asks for
    // a stop, the file failure gets its message, and the work is saved or kept.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    console_set_stream(stdout, isatty(STDOUT_FILENO) && locale_is_utf8());
}

bool console_stop_requested() { return stop_signal != 0; }

int32_t fetch_key(bool wait) { return fetch_byte(wait ? -1 : 0); }
