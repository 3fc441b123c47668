// The file loaders against damaged files: short, long, empty, garbage, absurd headers
// and weights. Every file is either loaded whole or refused with one of the loader's
// messages; none is ever changed, except an empty hall of fame (or one too short for a
// header), which is new. Which file gets which message is files_test.cpp's matter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <random>
#include <string>
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

// Whether a refusal's message is one that the loader gives (the cases themselves are
// in files_test.cpp).
bool begins_with_one_of(const std::string& message, std::initializer_list<const char*> beginnings)
{
    return std::any_of(beginnings.begin(), beginnings.end(),
                       [&](const char* beginning) { return message.rfind(beginning, 0) == 0; });
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
        if (status == -1) {
            EXPECT_GE(bytes.size(), 613444u);
            EXPECT_EQ(std::memcmp(t.population.data(), bytes.data(), 613444), 0);
        } else {
            EXPECT_EQ(status, 1);
            EXPECT_TRUE(begins_with_one_of(message, {"Fichier sauvegarde incomplet : ",
                                                     "Fichier sauvegarde incorrect : "}))
                << message;
        }
        ASSERT_EQ(read_file("elvarfl.don"), bytes);
    }
}

TEST(LoaderFuzz, HallOfFameIsOpenedOrRefusedButNeverChanged)
{
    TempFolder folder;
    CoreTables t;
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        std::vector<unsigned char> bytes = garbage(random, random_size(random));
        if (round % 4 == 0 && bytes.size() >= 4) { // now and then a slot number
            const float header = static_cast<float>(1 + random() % 36);
            std::memcpy(bytes.data(), &header, 4);
        }
        write_file("meillfl.don", bytes);
        const auto [status, message] = run_step(open_hall_of_fame);
        close_hall_of_fame();
        if (bytes.size() < 4) {
            // No header: a new hall of fame, written whole from the population at once.
            EXPECT_EQ(status, -1);
            EXPECT_EQ(read_file("meillfl.don").size(), 613444u);
            continue;
        }
        if (status == -1) {
            EXPECT_GE(bytes.size(), 613444u);
        } else {
            EXPECT_EQ(status, 1);
            EXPECT_TRUE(begins_with_one_of(message, {"Fichier meillfl incomplet : ", "En-t\xEAte meillfl incorrect"}))
                << message;
        }
        ASSERT_EQ(read_file("meillfl.don"), bytes);
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
