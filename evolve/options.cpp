#include "options.h"

#include "number_arguments.h"
#include "shape.h"

const char* const usage_text =
    "usage: evolve --out FILE [--start FILE [--start-network K] | --start-wpc] [--seed S] [--generations N] [--parents MU]\n"
    "              [--offspring LAMBDA] [--sigma X] [--games N] [--panel LIST]\n"
    "              [--epsilon E] [--archive-size K] [--archive-every G] [--jobs J]\n"
    "              [--checkpoint FILE] [--log FILE] [--resume]\n"
    "  panel: archive and any of the opponents (default wpc,wpc-ab2,archive)\n";

namespace {

// FILE.don gives FILE.checkpoint and FILE.csv; any other name gets the suffix added.
std::string beside(const std::string& out, const char* suffix)
{
    const size_t dot = out.rfind(".don");
    const bool has_extension = dot != std::string::npos && dot + 4 == out.size() && out.find('/', dot) == std::string::npos;
    return (has_extension ? out.substr(0, dot) : out) + suffix;
}

} // namespace

std::string parse_options(int argc, char** argv, Options& options)
{
    Settings& s = options.settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--resume" || arg == "--start-wpc") {
            (arg == "--resume" ? options.resume : options.start_wpc) = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0 || i + 1 >= argc)
            return arg.rfind("--", 0) == 0 ? "missing value after " + arg : "unexpected argument \"" + arg + "\"";
        const char* value = argv[++i];
        int64_t n = 0;
        double x = 0;
        auto bad = [&](const char* what) { return arg + " takes " + what + ", not \"" + value + "\""; };
        if (arg == "--out") {
            options.out = value;
        } else if (arg == "--start") {
            options.start = value;
        } else if (arg == "--start-network") {
            if (!parse_whole_number(value, 1, networks, n))
                return bad("a network of the starting file, 1 to 36");
            options.start_network = static_cast<int32_t>(n);
        } else if (arg == "--checkpoint") {
            options.checkpoint = value;
        } else if (arg == "--log") {
            options.log = value;
        } else if (arg == "--generations") {
            if (!parse_whole_number(value, 1, 100000000, n))
                return bad("a number of generations, 1 or more");
            options.generations = static_cast<int32_t>(n);
        } else if (arg == "--jobs") {
            if (!parse_whole_number(value, 1, 1024, n))
                return bad("a number of processes, 1 to 1024");
            options.jobs = static_cast<int32_t>(n);
        } else if (arg == "--seed") {
            if (!parse_whole_number(value, 0, INT64_MAX, n))
                return bad("a whole number, 0 or more");
            s.seed = static_cast<uint64_t>(n);
        } else if (arg == "--parents" || arg == "--offspring" || arg == "--games" || arg == "--archive-size" ||
                   arg == "--archive-every") {
            if (!parse_whole_number(value, INT32_MIN, INT32_MAX, n))
                return bad("a whole number");
            int32_t& field = arg == "--parents"        ? s.parents
                             : arg == "--offspring"    ? s.offspring
                             : arg == "--games"        ? s.games
                             : arg == "--archive-size" ? s.archive_size
                                                       : s.archive_every;
            field = static_cast<int32_t>(n);
        } else if (arg == "--sigma" || arg == "--epsilon") {
            if (!parse_number(value, x))
                return bad("a number");
            (arg == "--sigma" ? s.sigma : s.epsilon) = x;
        } else if (arg == "--panel") {
            if (!panel_from_names(value, s.panel))
                return bad("opponents and archive, each once, separated by commas");
        } else {
            return "unknown option " + arg;
        }
        if (arg != "--out" && arg != "--start" && arg != "--start-network" && arg != "--checkpoint" && arg != "--log" && arg != "--generations" &&
            arg != "--jobs")
            options.given.insert(arg);
    }
    if (options.out.empty())
        return "--out FILE is needed: the hall-of-fame file that the run writes";
    if (options.resume && (!options.start.empty() || options.start_wpc))
        return "--start and --start-wpc are for a new run; --resume goes on from the checkpoint";
    if (options.start_wpc && !options.start.empty())
        return "--start and --start-wpc are two different starts: choose one";
    if (options.checkpoint.empty())
        options.checkpoint = beside(options.out, ".checkpoint");
    if (options.log.empty())
        options.log = beside(options.out, ".csv");
    if (options.checkpoint == options.out || options.log == options.out || options.log == options.checkpoint)
        return "--out, --checkpoint and --log must name three different files";
    return settings_fault(s);
}

std::string settings_conflict(const Options& options, const Settings& stored)
{
    const Settings& s = options.settings;
    std::string differ;
    auto check = [&](const char* name, bool same) {
        if (options.given.count(name) != 0 && !same)
            differ += std::string(differ.empty() ? "" : ", ") + name;
    };
    check("--seed", s.seed == stored.seed);
    check("--parents", s.parents == stored.parents);
    check("--offspring", s.offspring == stored.offspring);
    check("--sigma", s.sigma == stored.sigma);
    check("--games", s.games == stored.games);
    check("--panel", panel_names(s.panel) == panel_names(stored.panel));
    check("--epsilon", s.epsilon == stored.epsilon);
    check("--archive-size", s.archive_size == stored.archive_size);
    check("--archive-every", s.archive_every == stored.archive_every);
    return differ;
}
