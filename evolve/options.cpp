#include "options.h"

#include "game_processes.h"
#include "number_arguments.h"
#include "shape.h"

const char* const usage_text =
    "usage: evolve --out FILE [--start FILE [--start-network K] | --start-wpc] [--seed S] [--generations N] [--parents MU]\n"
    "              [--offspring LAMBDA] [--sigma X] [--games N] [--panel LIST]\n"
    "              [--epsilon E] [--archive-size K] [--archive-every G] [--jobs J]\n"
    "              [--checkpoint FILE] [--log FILE] [--resume]\n"
    "  panel: archive and any of the opponents (default wpc,wpc-ab2,archive)\n";

namespace {

// Each option reads its value into what it sets; "" when the value is good, otherwise
// what the option takes.
using SettingReader = std::string (*)(const char* value, Settings& s);
using RunReader = std::string (*)(const char* value, Options& options);

template <typename Reader>
struct OptionRule {
    const char* name;
    Reader read;
};

// A whole number in low..high into `field`; otherwise what the option takes.
template <typename Field>
std::string whole_number(const char* value, int64_t low, int64_t high, Field& field, const char* takes)
{
    int64_t n = 0;
    if (!parse_whole_number(value, low, high, n))
        return takes;
    field = static_cast<Field>(n);
    return "";
}

// The numbers that the settings' check bounds (settings_fault).
std::string whole_number(const char* value, int32_t& field)
{
    return whole_number(value, INT32_MIN, INT32_MAX, field, "a whole number");
}

std::string real_number(const char* value, double& field)
{
    return parse_number(value, field) ? "" : "a number";
}

// The options that define the run (settings.h): a checkpoint keeps them, and a resumed
// run refuses one that differs from it.
constexpr OptionRule<SettingReader> setting_rules[] = {
    // A start of random weights is seeded with 32 bits: a larger seed would share it.
    {"--seed",
     [](const char* value, Settings& s) {
         return whole_number(value, 0, UINT32_MAX, s.seed, "a whole number, 0 to 4294967295");
     }},
    {"--parents", [](const char* value, Settings& s) { return whole_number(value, s.parents); }},
    {"--offspring", [](const char* value, Settings& s) { return whole_number(value, s.offspring); }},
    {"--sigma", [](const char* value, Settings& s) { return real_number(value, s.sigma); }},
    {"--games", [](const char* value, Settings& s) { return whole_number(value, s.games); }},
    {"--panel",
     [](const char* value, Settings& s) -> std::string {
         return panel_from_names(value, s.panel) ? "" : "opponents and archive, each once, separated by commas";
     }},
    {"--epsilon", [](const char* value, Settings& s) { return real_number(value, s.epsilon); }},
    {"--archive-size", [](const char* value, Settings& s) { return whole_number(value, s.archive_size); }},
    {"--archive-every", [](const char* value, Settings& s) { return whole_number(value, s.archive_every); }},
};

// The options of this run alone: its files, its length and its processes.
constexpr OptionRule<RunReader> run_rules[] = {
    {"--out", [](const char* value, Options& o) -> std::string { o.out = value; return ""; }},
    {"--start", [](const char* value, Options& o) -> std::string { o.start = value; return ""; }},
    {"--checkpoint", [](const char* value, Options& o) -> std::string { o.checkpoint = value; return ""; }},
    {"--log", [](const char* value, Options& o) -> std::string { o.log = value; return ""; }},
    {"--start-network",
     [](const char* value, Options& o) {
         return whole_number(value, 1, networks, o.start_network, "a network of the starting file, 1 to 36");
     }},
    {"--generations",
     [](const char* value, Options& o) {
         return whole_number(value, 1, 100000000, o.generations, "a number of generations, 1 or more");
     }},
    {"--jobs",
     [](const char* value, Options& o) {
         return whole_number(value, 1, largest_jobs, o.jobs, "a number of processes, 1 to 1024");
     }},
};

template <typename Rule, size_t count>
const Rule* rule_named(const Rule (&rules)[count], const std::string& name)
{
    for (const Rule& rule : rules)
        if (name == rule.name)
            return &rule;
    return nullptr;
}

// FILE.don gives FILE.checkpoint and FILE.csv; any other name gets the suffix added.
std::string beside(const std::string& out, const char* suffix)
{
    const size_t dot = out.rfind(".don");
    const bool has_extension = dot != std::string::npos && dot + 4 == out.size() && out.find('/', dot) == std::string::npos;
    return (has_extension ? out.substr(0, dot) : out) + suffix;
}

// What is wrong with the options taken together, once each has been read.
std::string combination_fault(Options& options)
{
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
    return settings_fault(options.settings);
}

} // namespace

std::string parse_options(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--resume" || arg == "--start-wpc") {
            (arg == "--resume" ? options.resume : options.start_wpc) = true;
            continue;
        }
        if (arg.rfind("--", 0) != 0 || i + 1 >= argc)
            return arg.rfind("--", 0) == 0 ? "missing value after " + arg : "unexpected argument \"" + arg + "\"";
        const char* value = argv[++i];
        std::string wanted;
        if (const auto* setting = rule_named(setting_rules, arg)) {
            wanted = setting->read(value, options.settings);
            options.given[setting->name] = value;
        } else if (const auto* run = rule_named(run_rules, arg)) {
            wanted = run->read(value, options);
        } else {
            return "unknown option " + arg;
        }
        if (!wanted.empty())
            return arg + " takes " + wanted + ", not \"" + value + "\"";
    }
    return combination_fault(options);
}

std::string settings_conflict(const Options& options, const Settings& stored)
{
    std::string differ;
    for (const auto& rule : setting_rules) {
        const auto given = options.given.find(rule.name);
        if (given == options.given.end())
            continue;
        Settings with_it = stored;
        rule.read(given->second.c_str(), with_it);
        if (!(with_it == stored))
            differ += std::string(differ.empty() ? "" : ", ") + rule.name;
    }
    return differ;
}
