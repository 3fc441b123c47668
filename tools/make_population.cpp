// make_population: writes a first population file "elvarfl.don" in the working
// folder (or the folder given), with generation counter 0 and 36 networks of random
// weights in -1.0 .. 0.99993896484375 in steps of 1/16384, the scale mutation uses.
//
//   make_population [--seed N] [folder]
//
// The weights come from the programs' own random source, seeded with N (default:
// the current time), in file order. An existing file is never overwritten.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "lowfile.h"
#include "random.h"
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
    const std::string path = folder + "/elvarfl.don";

    std::vector<float> population(population_floats, 0.0f);
    seed_random(seed);
    for (int32_t e = 1; e < population_floats; ++e)
        population[static_cast<size_t>(e)] = static_cast<float>(draw_random() - 16384) / 16384.0f;

    // Refuse an existing file (or anything else under that name).
    if (file_exists(path.c_str())) {
        std::fprintf(stderr, "make_population: %s exists already; nothing written\n", path.c_str());
        return 1;
    }
    const int32_t handle = file_open(path.c_str(), OpenMode::write_only_create);
    if (handle < 0) {
        std::fprintf(stderr, "make_population: cannot create %s\n", path.c_str());
        return 1;
    }
    const bool written = file_write(handle, population.data(), population_bytes) == population_bytes;
    file_close(handle);
    if (!written) {
        std::fprintf(stderr, "make_population: writing %s failed\n", path.c_str());
        std::remove(path.c_str());
        return 1;
    }
    std::printf("%s: generation 0, 36 networks, seed %u\n", path.c_str(), seed);
    return 0;
}
