#include "game_processes.h"

#include <cstdio>

#if !defined(_WIN32)
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#endif

namespace {

bool play_here(int32_t count, const std::function<uint8_t(int32_t)>& play, std::vector<uint8_t>& outcomes,
               const std::function<bool(int32_t)>& progress)
{
    for (int32_t t = 0; t < count; ++t) {
        outcomes[static_cast<size_t>(t)] = play(t);
        if (!progress(t + 1))
            return false;
    }
    return true;
}

} // namespace

#if defined(_WIN32)

const char* const one_process_note = "--jobs: the Windows builds play every game in this one process\n";

bool play_games(int32_t count, int32_t, const std::function<uint8_t(int32_t)>& play, std::vector<uint8_t>& outcomes,
                const std::function<bool(int32_t)>& progress)
{
    outcomes.assign(static_cast<size_t>(count), 0);
    return play_here(count, play, outcomes, progress);
}

int32_t processors_online() { return 1; }

bool standard_error_is_terminal() { return false; }

#else

const char* const one_process_note = "";

namespace {

struct Worker {
    pid_t pid = -1;
    int read_end = -1;
    int32_t received = 0; // outcomes read so far: those of games w, w + jobs, ...
};

// The child keeps its standard streams and the write end of its pipe, nothing else of
// its parent's: a folder lock of the parent's is let go when the parent ends, even while
// its children finish their games, and the other children's pipes end with them.
void keep_only_pipe(int write_end)
{
    const auto end = static_cast<unsigned>(write_end);
    if ((end > 3 && close_range(3, end - 1, 0) != 0) || close_range(end + 1, ~0u, 0) != 0) {
        const long open_max = sysconf(_SC_OPEN_MAX);
        for (int fd = 3; fd < (open_max > 0 ? open_max : 1024); ++fd)
            if (fd != write_end)
                close(fd);
    }
}

// The child's side: plays its share and writes each outcome as soon as it is known.
[[noreturn]] void work(int32_t w, int32_t count, int32_t jobs, int write_end,
                       const std::function<uint8_t(int32_t)>& play)
{
    keep_only_pipe(write_end);
    for (int32_t t = w; t < count; t += jobs) {
        const uint8_t outcome = play(t);
        if (write(write_end, &outcome, 1) != 1)
            _exit(1);
    }
    _exit(0);
}

void report_failure(const char* call)
{
    std::fprintf(stderr, "%s: %s: %s\n", program_invocation_short_name, call, std::strerror(errno));
}

// Abandoned games: the processes are killed and waited for, their pipes closed.
void stop_workers(std::vector<Worker>& workers)
{
    for (Worker& worker : workers) {
        if (worker.pid <= 0)
            continue; // never started
        kill(worker.pid, SIGKILL);
        if (worker.read_end >= 0)
            close(worker.read_end);
        while (waitpid(worker.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
}

// Starts a process for each share of the games; false after a message when one could
// not be started (those started are stopped).
bool start_workers(int32_t count, const std::function<uint8_t(int32_t)>& play, std::vector<Worker>& workers)
{
    const auto jobs = static_cast<int32_t>(workers.size());
    std::fflush(nullptr); // nothing buffered is written twice by the children
    for (int32_t w = 0; w < jobs; ++w) {
        int ends[2];
        if (pipe(ends) != 0) {
            report_failure("pipe");
            stop_workers(workers);
            return false;
        }
        const pid_t pid = fork();
        if (pid < 0) {
            report_failure("fork");
            close(ends[0]);
            close(ends[1]);
            stop_workers(workers);
            return false;
        }
        if (pid == 0) {
            close(ends[0]);
            work(w, count, jobs, ends[1], play);
        }
        close(ends[1]);
        workers[static_cast<size_t>(w)] = {pid, ends[0], 0};
    }
    return true;
}

// Takes in what worker w has written: games w, w + jobs, ... in order. False once its
// pipe has closed.
bool take_outcomes(Worker& worker, int32_t w, int32_t jobs, std::vector<uint8_t>& outcomes, int32_t& done)
{
    uint8_t bytes[4096];
    const ssize_t got = read(worker.read_end, bytes, sizeof bytes);
    if (got < 0 && errno == EINTR)
        return true;
    if (got <= 0) {
        close(worker.read_end);
        worker.read_end = -1;
        return false;
    }
    for (ssize_t b = 0; b < got; ++b) {
        const auto t = static_cast<size_t>(w + worker.received * jobs);
        if (t < outcomes.size())
            outcomes[t] = bytes[b];
        ++worker.received;
    }
    done += static_cast<int32_t>(got);
    return true;
}

// Reads the outcomes as they come until every pipe has closed; false (the processes
// stopped) when abandoned or when the pipes cannot be watched.
bool collect_outcomes(std::vector<Worker>& workers, std::vector<uint8_t>& outcomes,
                      const std::function<bool(int32_t)>& progress)
{
    const auto jobs = static_cast<int32_t>(workers.size());
    int32_t done = 0, open_pipes = jobs;
    std::vector<pollfd> polled;
    while (open_pipes > 0) {
        polled.clear();
        for (const Worker& worker : workers)
            if (worker.read_end >= 0)
                polled.push_back({worker.read_end, POLLIN, 0});
        if (poll(polled.data(), polled.size(), 1000) < 0 && errno != EINTR) {
            report_failure("poll");
            stop_workers(workers);
            return false;
        }
        for (int32_t w = 0; w < jobs; ++w) {
            Worker& worker = workers[static_cast<size_t>(w)];
            bool ready = false;
            for (const pollfd& p : polled)
                ready |= worker.read_end >= 0 && p.fd == worker.read_end && p.revents != 0;
            if (ready && !take_outcomes(worker, w, jobs, outcomes, done))
                --open_pipes;
        }
        if (!progress(done)) {
            stop_workers(workers);
            return false;
        }
    }
    return true;
}

// Waits for every process; false after a message for each that failed or fell short.
bool workers_finished(int32_t count, const std::vector<Worker>& workers)
{
    const auto jobs = static_cast<int32_t>(workers.size());
    bool all_played = true;
    for (int32_t w = 0; w < jobs; ++w) {
        const Worker& worker = workers[static_cast<size_t>(w)];
        int status = 0;
        while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
        }
        const int32_t share = (count - w + jobs - 1) / jobs;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || worker.received != share) {
            std::fprintf(stderr, "%s: the process playing games %d, %d, ... failed\n", program_invocation_short_name,
                         w, w + jobs);
            all_played = false;
        }
    }
    return all_played;
}

} // namespace

bool play_games(int32_t count, int32_t jobs, const std::function<uint8_t(int32_t)>& play,
                std::vector<uint8_t>& outcomes, const std::function<bool(int32_t)>& progress)
{
    outcomes.assign(static_cast<size_t>(count), 0);
    if (jobs > count)
        jobs = count;
    if (jobs <= 1)
        return play_here(count, play, outcomes, progress);
    std::vector<Worker> workers(static_cast<size_t>(jobs));
    return start_workers(count, play, workers) && collect_outcomes(workers, outcomes, progress) &&
           workers_finished(count, workers);
}

int32_t processors_online()
{
    const long n = sysconf(_SC_NPROCESSORS_ONLN);
    return n < 1 ? 1 : static_cast<int32_t>(n);
}

bool standard_error_is_terminal() { return isatty(2) == 1; }

#endif
