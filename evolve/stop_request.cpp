#include "stop_request.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t stop_signal = 0;

void on_stop_signal(int) { stop_signal = 1; }

} // namespace

void catch_stop_signals()
{
    std::signal(SIGINT, on_stop_signal);
    std::signal(SIGTERM, on_stop_signal);
#if !defined(_WIN32)
    std::signal(SIGHUP, on_stop_signal);
    std::signal(SIGPIPE, SIG_IGN); // a lost reader of the progress line is no reason to die
#endif
}

bool stop_requested() { return stop_signal != 0; }
