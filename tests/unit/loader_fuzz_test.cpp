// The file loaders against damaged files: short, long, empty, garbage, absurd headers
// and weights. Every file is either loaded or refused with a message; none is ever
// changed, except an empty hall of fame (or one too short for a header), which is new.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "hall_of_fame_file.h"
#include "image_file.h"
#include "population_file.h"
#include "support.h"

namespace {

// Random bytes, with a good share of NaN, infinite and huge floats among them.
std::vector<unsigned char> garbage(std::mt19937& random, size_t size)
{
    std::vector<unsigned char> bytes(size);
    for (size_t i = 0; i + 4 <= size; i += 4) {
        float f;
        switch (random() % 6) {
        case 0: f = std::nanf(""); break;
        case 1: f = (random() & 1) ? INFINITY : -INFINITY; break;
        case 2: f = static_cast<float>(random()) * 1e30f; break;
        default: {
            const uint32_t bits = static_cast<uint32_t>(random());
            std::memcpy(&f, &bits, 4);
        }
        }
        std::memcpy(bytes.data() + i, &f, 4);
    }
    for (size_t i = size & ~size_t{3}; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(random());
    return bytes;
}

// True when the 36 networks of a file image hold only finite weights.
bool all_finite(const std::vector<unsigned char>& bytes)
{
    for (size_t offset = 4; offset < 613444; offset += 4) {
        float f;
        std::memcpy(&f, bytes.data() + offset, 4);
        if (!std::isfinite(f))
            return false;
    }
    return true;
}

size_t random_size(std::mt19937& random)
{
    switch (random() % 5) {
    case 0: return 0;
    case 1: return random() % 8;
    case 2: return random() % 613444;
    case 3: return 613444;
    default: return 613444 + random() % 50000;
    }
}

} // namespace

TEST(LoaderFuzz, PopulationFileIsLoadedOrRefusedButNeverChanged)
{
    TempFolder folder;
    CoreTables t;
    std::mt19937 random(2026);
    for (int round = 0; round < 60; ++round) {
        std::vector<unsigned char> bytes = garbage(random, random_size(random));
        if (round % 3 == 0) // now and then a file of finite weights only
            for (size_t offset = 0; offset + 4 <= bytes.size(); offset += 4) {
                const float weight = static_cast<float>(random() % 32768) / 16384.0f - 1.0f;
                std::memcpy(bytes.data() + offset, &weight, 4);
            }
        write_file("elvarfl.don", bytes);
        const auto [status, message] = run_step(load_population);
        float counter = 0;
        if (bytes.size() >= 4)
            std::memcpy(&counter, bytes.data(), 4);
        if (bytes.size() < 613444) {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(message.rfind("Fichier sauvegarde incomplet", 0), 0u) << message;
        } else if (!std::isfinite(counter)) {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(message, "Fichier sauvegarde incorrect : compteur de g\xE9n\xE9rations invalide\n");
        } else if (!all_finite(bytes)) {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(message.rfind("Fichier sauvegarde incorrect : poids invalide dans le r\xE9seau ", 0), 0u)
                << message;
        } else {
            EXPECT_EQ(status, -1) << message;
            EXPECT_EQ(std::memcmp(t.population.data(), bytes.data(), 613444), 0);
        }
        ASSERT_EQ(read_file("elvarfl.don"), bytes);
    }
}

TEST(LoaderFuzz, HallOfFameSizeAndHeaderAreCheckedBeforeAnythingIsWritten)
{
    TempFolder folder;
    CoreTables t;
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        std::vector<unsigned char> bytes = garbage(random, random_size(random));
        if (round % 4 == 0 && bytes.size() >= 4) { // now and then a valid slot number
            const float header = static_cast<float>(1 + random() % 36);
            std::memcpy(bytes.data(), &header, 4);
        }
        write_file("meillfl.don", bytes);
        const auto [status, message] = run_step(open_hall_of_fame);
        float header = 0;
        if (bytes.size() >= 4)
            std::memcpy(&header, bytes.data(), 4);
        const bool valid = bytes.size() >= 4 && header >= 1 && header <= 36 && std::trunc(header) == header;
        if (bytes.size() < 4) {
            // A new hall of fame: written whole from the population at once.
            EXPECT_EQ(status, -1);
            EXPECT_EQ(read_file("meillfl.don").size(), 613444u);
        } else if (bytes.size() < 613444) {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(message, "Fichier meillfl incomplet : " + std::to_string(bytes.size()) + " octets au lieu de 613444");
            EXPECT_EQ(read_file("meillfl.don"), bytes);
        } else if (valid) {
            EXPECT_EQ(status, -1) << message;
            EXPECT_EQ(a_ecraser, header);
            EXPECT_EQ(read_file("meillfl.don"), bytes);
        } else {
            EXPECT_EQ(status, 1);
            EXPECT_EQ(message.rfind("En-t\xEAte meillfl incorrect", 0), 0u) << message;
            EXPECT_EQ(read_file("meillfl.don"), bytes);
        }
        close_hall_of_fame();
    }
}

TEST(LoaderFuzz, GameLoadsOnlyCompleteFilesAndNeverWrites)
{
    TempFolder folder;
    std::vector<float> population(population_floats);
    std::mt19937 random(99);
    for (int round = 0; round < 60; ++round) {
        const std::vector<unsigned char> bytes = garbage(random, random_size(random));
        write_file("meillfl.don", bytes);
        const FileStatus result = read_image(hall_of_fame_file_name, population.data(), Access::read_write).status;
        EXPECT_EQ(result, bytes.size() >= 613444 ? FileStatus::done : FileStatus::incomplete);
        ASSERT_EQ(read_file("meillfl.don"), bytes);
    }
}
