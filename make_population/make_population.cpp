// make_population: writes a first population file "elvarfl.don" in the working
// folder (or the folder given), with generation counter 0 and 36 networks of random
// weights in -1.0 .. 0.99993896484375 in steps of 1/16384, the scale mutation uses.
//
//   make_population [--seed N] [folder]
//
// The weights come from the programs' own random source, seeded with N (default:
// the current time), in file order. An existing file is never overwritten, and the
// new one appears whole or not at all.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "image_file.h"
#include "lowfile.h"
#include "random.h"
#include "random_weights.h"
#include "shape.h"
#include "standard_streams.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: make_population [--seed N] [folder]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    keep_standard_streams_open();
    auto seed = static_cast<uint32_t>(std::time(nullptr));
    std::string folder = ".";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            char* end = nullptr;
            const unsigned long value = std::strtoul(argv[++i], &end, 10);
            if (*argv[i] == '\0' || *end != '\0' || value > 0xFFFFFFFFul)
                return usage();
            seed = static_cast<uint32_t>(value);
        } else if (argv[i][0] == '-') {
            return usage();
        } else {
            folder = argv[i];
        }
    }
    const std::string path = folder + "/" + population_file_name;

    std::vector<float> population(population_floats, 0.0f);
    seed_random(seed);
    fill_with_random_weights(population.data());

    // Refuse an existing file (or anything else under that name).
    if (file_exists(path.c_str())) {
        std::fprintf(stderr, "make_population: %s exists already; nothing written\n", path.c_str());
        return 1;
    }
    FileReplacement creation;
    const FileResult written = write_image(path.c_str(), 0.0f, population.data(), creation, Completion::at_once);
    if (written.status == FileStatus::cannot_open) {
        std::fprintf(stderr, "make_population: cannot create %s\n", path.c_str());
        return 1;
    }
    if (written.status != FileStatus::done) {
        std::fprintf(stderr, "make_population: writing %s failed\n", path.c_str());
        return 1;
    }
    std::printf("%s: generation 0, 36 networks, seed %u\n", path.c_str(), seed);
    return 0;
}
