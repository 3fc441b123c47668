// The command line of the evolution program.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "settings.h"

struct Options {
    Settings settings;
    std::map<std::string, std::string> given; // the run's settings named on the command line, with their last value
    int32_t generations = 500;   // the run ends once this many generations are done
    int32_t jobs = 0;            // 0: every processor
    int32_t start_network = 1;   // the network of the starting file that the search starts from
    std::string out, start, checkpoint, log;
    bool start_wpc = false;      // the search starts from the network that plays the WPC table
    bool resume = false;
};

// "" when the command line is understood, otherwise what is wrong with it.
std::string parse_options(int argc, char** argv, Options& options);
// Settings named on the command line that differ from the checkpoint's, "" if none.
std::string settings_conflict(const Options& options, const Settings& stored);

extern const char* const usage_text;
