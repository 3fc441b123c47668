// evolve: breeds networks of the hall-of-fame file's kind against a panel of opponents
// with an evolution strategy (evolution.h), and writes the strongest as a hall-of-fame
// file that the game plays as it is.
//
// The run saves a checkpoint after every generation and ends after --generations, or
// earlier on Ctrl+C, a termination signal or a hang-up; --resume goes on from the
// checkpoint to the very networks that a run without a stop gives. Its log has a row
// per generation. Bad input gets a message and a non-zero exit, with nothing written.
// One run at a time in each folder that holds one of its files, as for the trainer; the
// temporary files that a killed run left beside them are removed.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "checkpoint.h"
#include "evolution.h"
#include "file_replacement.h"
#include "folder_lock.h"
#include "game_processes.h"
#include "image_file.h"
#include "lowfile.h"
#include "opponents.h"
#include "options.h"
#include "population_slots.h"
#include "shape.h"
#include "standard_streams.h"
#include "start.h"
#include "stop_request.h"
#include "tables.h"

namespace {

constexpr float hall_of_fame_header = 36.0f; // the slot that a trainer replaces first: the last ranked

int fail(const std::string& message, int status = 1)
{
    std::fprintf(stderr, "evolve: %s\n", message.c_str());
    return status;
}

bool write_hall_of_fame(const char* name, const EvolutionState& state)
{
    std::vector<float> population(population_floats);
    int32_t k = 1;
    for (const Weights* w : leading_networks(state, networks))
        put_network(population.data(), k++, w->data());
    FileReplacement write;
    return write_image(name, hall_of_fame_header, population.data(), write, Completion::at_once).status ==
           FileStatus::done;
}

// Whether a file could be made beside `name`: tried, then removed.
bool can_write_beside(const char* name) { return try_image_write(name).status == FileStatus::done; }

void show_progress(int32_t generation, int32_t last, const GenerationSummary& summary, double seconds)
{
    const bool terminal = standard_error_is_terminal();
    std::fprintf(stderr, "evolve: generation %d of %d, best %.4f, mean %.4f, champion %.4f, %.0f games/s%s",
                 generation, last, summary.best, summary.mean, summary.champion,
                 seconds > 0 ? static_cast<double>(summary.games) / seconds : 0.0, terminal ? "   \r" : "\n");
}

// The folders of the run's files, ours until the process ends; false after a message when
// another run holds one. The temporary files of killed runs beside them then go.
bool claim_files(const Options& options)
{
    const std::vector<std::string> files{options.out, options.checkpoint, options.log};
    const FolderLocks locks = take_folder_locks(files);
    if (!locks.busy.empty()) {
        fail("another run is writing in " + locks.busy + "; one run at a time in a folder, nothing written");
        return false;
    }
    for (const std::string& file : files)
        remove_stale_replacements(file.c_str());
    return true;
}

// The run's settings and state: the checkpoint's, or a new run's from its start; "" when
// the run can go on, otherwise what stops it, with the exit status in `status`.
std::string prepare_run(const Options& options, Settings& settings, EvolutionState& state, int& status)
{
    settings = options.settings;
    status = 1;
    if (options.resume) {
        if (const std::string damage = load_checkpoint(options.checkpoint.c_str(), settings, state); !damage.empty())
            return "cannot resume: " + options.checkpoint + " " + damage;
        if (const std::string conflict = settings_conflict(options, settings); !conflict.empty()) {
            status = 2;
            return "cannot resume: the checkpoint's run has other " + conflict + "; leave them out to go on";
        }
        return "";
    }
    if (file_exists(options.checkpoint.c_str()))
        return options.checkpoint + " exists: --resume goes on from it; remove it to start anew";
    if (file_exists(options.out.c_str()))
        return options.out + " exists; a new run writes a new file";
    Weights start;
    if (options.start_wpc)
        start = wpc_start();
    else if (options.start.empty())
        start = random_start(settings.seed);
    else if (const std::string bad = read_start(options.start.c_str(), options.start_network, start); !bad.empty())
        return bad;
    state = first_state(settings, start);
    return "";
}

// Generations until the last one or a stop; "" when the run ended well, otherwise why not.
std::string run_generations(const Options& options, const Settings& settings, EvolutionState& state)
{
    const int32_t jobs = options.jobs > 0 ? options.jobs : processors_online();
    while (state.generation < options.generations && !stop_requested()) {
        const auto began = std::chrono::steady_clock::now();
        GenerationSummary summary;
        if (!run_generation(settings, jobs, state, summary, [](int64_t) { return !stop_requested(); })) {
            if (stop_requested())
                break;
            return "the games of generation " + std::to_string(state.generation + 1) + " could not be played";
        }
        if (!save_checkpoint(options.checkpoint.c_str(), settings, state))
            return "cannot write " + options.checkpoint + "; the run stops at generation " +
                   std::to_string(state.generation - 1);
        if (!replace_file_with(options.log.c_str(), state.log.data(), state.log.size()))
            return "cannot write " + options.log;
        show_progress(state.generation, options.generations, summary,
                      std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
    }
    return "";
}

} // namespace

int main(int argc, char** argv)
{
    keep_standard_streams_open();
    Options options;
    if (const std::string wrong = parse_options(argc, argv, options); !wrong.empty()) {
        std::fprintf(stderr, "evolve: %s\n%s  opponents: %s\n%s", wrong.c_str(), usage_text, opponent_names_text,
                     one_process_note);
        return 2;
    }
    if (options.jobs > 0 && *one_process_note != '\0')
        std::fprintf(stderr, "evolve: %s", one_process_note);
    if (!claim_files(options))
        return 1;
    Settings settings;
    EvolutionState state;
    int status = 1;
    if (const std::string stop = prepare_run(options, settings, state, status); !stop.empty())
        return fail(stop, status);
    for (const std::string* name : {&options.out, &options.checkpoint, &options.log})
        if (!can_write_beside(name->c_str()))
            return fail("cannot write " + *name);

    allocate_core_tables();
    catch_stop_signals();
    if (!options.resume && !save_checkpoint(options.checkpoint.c_str(), settings, state))
        return fail("cannot write " + options.checkpoint);
    if (const std::string stop = run_generations(options, settings, state); !stop.empty())
        return fail(stop);
    if (standard_error_is_terminal())
        std::fprintf(stderr, "\n");
    if (!write_hall_of_fame(options.out.c_str(), state))
        return fail("cannot write " + options.out);
    if (!replace_file_with(options.log.c_str(), state.log.data(), state.log.size()))
        return fail("cannot write " + options.log);
    std::fprintf(stderr, "evolve: %s after generation %d%s\n", options.out.c_str(), state.generation,
                 state.generation < options.generations ? "; stopped, --resume goes on" : "");
    return 0;
}
