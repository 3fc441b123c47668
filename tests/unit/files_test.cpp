// The byte images of the two network files and the trainer's file steps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "hall_of_fame_file.h"
#include "hall_of_fame_load.h"
#include "population_file.h"
#include "support.h"
#include "tables.h"

namespace {

float weight_value(int32_t k, int32_t w) { return static_cast<float>(k) + static_cast<float>(w) / 8192.0f; }

std::vector<unsigned char> float_bytes(float f)
{
    std::vector<unsigned char> bytes(4);
    std::memcpy(bytes.data(), &f, 4);
    return bytes;
}

} // namespace

TEST(PopulationFile, SaveWritesTheExactImage)
{
    TempFolder folder;
    CoreTables t;
    write_file("elvarfl.don", population_image(0.0f, weight_value));
    load_population();
    EXPECT_EQ(t.weight(36, 4260), weight_value(36, 4260));
    generation_counter = 57.0f;
    save_population();
    std::vector<unsigned char> bytes = read_file("elvarfl.don");
    ASSERT_EQ(bytes.size(), 613444u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4),
              (std::vector<unsigned char>{0x00, 0x00, 0x64, 0x42}));
    EXPECT_EQ(read_float(bytes, 4), weight_value(1, 1));
    EXPECT_EQ(read_float(bytes, 4 + 17040 * 35 + 4 * 4259), weight_value(36, 4260));
    save_population();
    EXPECT_EQ(read_file("elvarfl.don"), bytes); // saving twice gives the same bytes
}

TEST(PopulationFile, LongerFileLoadsAndKeepsItsTail)
{
    TempFolder folder;
    CoreTables t;
    std::vector<unsigned char> bytes = population_image(12.0f, weight_value);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    write_file("elvarfl.don", bytes);
    load_population();
    EXPECT_EQ(generation_counter, 12.0f);
    generation_counter = 13.0f;
    save_population();
    const std::vector<unsigned char> saved = read_file("elvarfl.don");
    ASSERT_EQ(saved.size(), 613449u);
    EXPECT_EQ(std::vector<unsigned char>(saved.end() - 5, saved.end()), (std::vector<unsigned char>{1, 2, 3, 4, 5}));
    EXPECT_EQ(read_float(saved, 0), 13.0f);
}

TEST(PopulationFile, FailuresEndWithTheirMessage)
{
    TempFolder folder;
    CoreTables t;
    auto [status, text] = run_step(load_population);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, "Ouverture fichier sauvegarde ne se fait pas\n");

    // A short file is refused and left as it is.
    std::vector<unsigned char> bytes = population_image(3.0f, weight_value);
    bytes.resize(613443);
    write_file("elvarfl.don", bytes);
    std::tie(status, text) = run_step(load_population);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, "Fichier sauvegarde incomplet : 613443 octets au lieu de 613444\n");
    EXPECT_EQ(read_file("elvarfl.don"), bytes);

    // A counter that is no number is refused too.
    for (float counter : {std::nanf(""), INFINITY, -INFINITY}) {
        bytes = population_image(counter, weight_value);
        write_file("elvarfl.don", bytes);
        std::tie(status, text) = run_step(load_population);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(text, "Fichier sauvegarde incorrect : compteur de g\xE9n\xE9rations invalide\n");
        EXPECT_EQ(read_file("elvarfl.don"), bytes);
    }

    // A file that cannot be opened for writing cannot be loaded nor saved.
    write_file("elvarfl.don", population_image(3.0f, weight_value));
    std::filesystem::permissions("elvarfl.don", std::filesystem::perms::owner_read);
    // Root (and Wine run by root) opens it anyway: check only where the protection holds.
    std::FILE* probe = std::fopen("elvarfl.don", "r+b");
    const bool write_protection_holds = probe == nullptr;
    if (probe)
        std::fclose(probe);
    if (write_protection_holds) {
        std::tie(status, text) = run_step(load_population);
        EXPECT_EQ(text, "Ouverture fichier sauvegarde ne se fait pas\n");
        std::tie(status, text) = run_step(save_population);
        EXPECT_EQ(text, "Ouverture fichier sauvegarde ne se fait pas");
    }
    // A folder in the file's place: it opens for neither.
    std::filesystem::permissions("elvarfl.don", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add); // Windows removes no read-only file
    std::filesystem::remove("elvarfl.don");
    std::filesystem::create_directory("elvarfl.don");
    std::tie(status, text) = run_step(save_population);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, "Ouverture fichier sauvegarde ne se fait pas");
}

TEST(PopulationFile, NewFileIsPrivateToItsOwner)
{
    TempFolder folder;
    CoreTables t;
    save_population();
    const auto perms = std::filesystem::status("elvarfl.don").permissions();
#ifdef _WIN32
    // Windows knows no group nor others here: the new file must just not be read-only.
    EXPECT_EQ(perms & std::filesystem::perms::owner_write, std::filesystem::perms::owner_write);
#else
    EXPECT_EQ(perms & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif
}

TEST(HallOfFameFile, SlotsAndHeaderAtTheirOffsets)
{
    TempFolder folder;
    CoreTables t;
    const std::vector<unsigned char> original = population_image(7.0f, weight_value);
    write_file("meillfl.don", original);
    for (int32_t w = 1; w <= 4260; ++w)
        t.weight(3, w) = -2.0f;
    open_hall_of_fame();
    EXPECT_EQ(a_ecraser, 7.0f);
    write_hall_of_fame_slot(3);
    std::vector<unsigned char> bytes = read_file("meillfl.don");
    ASSERT_EQ(bytes.size(), original.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const bool in_slot_7 = i >= 102244 && i <= 119283;
        ASSERT_EQ(bytes[i], in_slot_7 ? float_bytes(-2.0f)[(i - 102244) % 4] : original[i]) << "offset " << i;
    }
    write_hall_of_fame_header(12);
    EXPECT_EQ(a_ecraser, 12.0f);
    bytes = read_file("meillfl.don");
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4),
              (std::vector<unsigned char>{0x00, 0x00, 0x40, 0x41}));
    write_hall_of_fame_header(1);
    write_hall_of_fame_slot(3);
    bytes = read_file("meillfl.don");
    EXPECT_EQ(read_float(bytes, 4), -2.0f); // slot 1 lies directly after the header

    // Reading all slots: slot s becomes network s, the buffer's header stays.
    t.population[0] = 99.0f;
    read_hall_of_fame();
    EXPECT_EQ(t.population[0], 99.0f);
    EXPECT_EQ(t.weight(1, 1), -2.0f);
    EXPECT_EQ(t.weight(7, 1), -2.0f);
    EXPECT_EQ(t.weight(36, 4260), weight_value(36, 4260));
    close_hall_of_fame();
}

TEST(HallOfFameFile, NewFileGetsACompleteContentAtOnce)
{
    TempFolder folder;
    CoreTables t;
    for (int32_t k = 1; k <= networks; ++k)
        for (int32_t w = 1; w <= connections; ++w)
            t.weight(k, w) = weight_value(k, w);
    open_hall_of_fame();
    EXPECT_EQ(a_ecraser, 1.0f);
    close_hall_of_fame();
    EXPECT_EQ(read_file("meillfl.don"), population_image(1.0f, weight_value));

    // An empty file is treated the same way.
    write_file("meillfl.don", {});
    open_hall_of_fame();
    close_hall_of_fame();
    EXPECT_EQ(read_file("meillfl.don"), population_image(1.0f, weight_value));
}

TEST(HallOfFameFile, HeaderThatIsNoSlotStopsWithoutWriting)
{
    TempFolder folder;
    CoreTables t;
    for (float header : {0.0f, 37.0f, 7.5f, -3.0f, std::nanf(""), INFINITY}) {
        const std::vector<unsigned char> bytes = population_image(header, weight_value);
        write_file("meillfl.don", bytes);
        const auto [status, text] = run_step(open_hall_of_fame);
        close_hall_of_fame();
        EXPECT_EQ(status, 1) << header;
        EXPECT_EQ(text, "En-t\xEAte meillfl incorrect : a_ecraser n'est pas un num\xE9ro de 1 \xE0 36");
        EXPECT_EQ(read_file("meillfl.don"), bytes);
    }
    for (float header : {1.0f, 36.0f}) {
        write_file("meillfl.don", population_image(header, weight_value));
        const auto [status, text] = run_step(open_hall_of_fame);
        close_hall_of_fame();
        EXPECT_EQ(status, -1);
        EXPECT_EQ(text, "");
    }
    std::filesystem::remove("meillfl.don");
    std::filesystem::create_directory("meillfl.don");
    const auto [status, text] = run_step(open_hall_of_fame);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, "Ouverture fichier meillfl ne se fait pas");
}

TEST(HallOfFameFile, ShortFileKeepsTheRestOfThePopulation)
{
    TempFolder folder;
    CoreTables t;
    std::vector<unsigned char> bytes = population_image(2.0f, weight_value);
    bytes.resize(4 + 17040 + 100); // slot 1 and 25 weights of slot 2
    write_file("meillfl.don", bytes);
    for (int32_t k = 1; k <= networks; ++k)
        t.weight(k, 30) = -5.0f;
    open_hall_of_fame();
    read_hall_of_fame();
    EXPECT_EQ(t.weight(1, 30), weight_value(1, 30));
    EXPECT_EQ(t.weight(2, 25), weight_value(2, 25));
    EXPECT_EQ(t.weight(2, 30), -5.0f);
    EXPECT_EQ(t.weight(3, 30), -5.0f);
    // A slot beyond the end extends the file; the gap reads back as zeros.
    write_hall_of_fame_slot(5); // header 2.0: slot 2, which the file holds partly
    write_hall_of_fame_header(4);
    write_hall_of_fame_slot(5);
    close_hall_of_fame();
    const std::vector<unsigned char> after = read_file("meillfl.don");
    ASSERT_EQ(after.size(), 4u + 4 * 17040);
    EXPECT_EQ(read_float(after, 4 + 2 * 17040), 0.0f);
    EXPECT_EQ(read_float(after, 4 + 3 * 17040 + 4 * 29), -5.0f); // weight 30 of network 5
}

TEST(HallOfFameFile, GameReadsTheWholeFileOrRefusesIt)
{
    TempFolder folder;
    std::vector<float> population(population_floats, -1.0f);
    EXPECT_EQ(load_hall_of_fame_file(population.data()), HallOfFameLoad::cannot_open);
    std::vector<unsigned char> bytes = population_image(9.0f, weight_value);
    write_file("meillfl.don", bytes);
    EXPECT_EQ(load_hall_of_fame_file(population.data()), HallOfFameLoad::loaded);
    EXPECT_EQ(population[0], 9.0f); // the header travels with slot 1
    EXPECT_EQ(population[static_cast<size_t>(network_base(36) + 4260)], weight_value(36, 4260));
    EXPECT_EQ(read_file("meillfl.don"), bytes);
    bytes.pop_back();
    write_file("meillfl.don", bytes);
    EXPECT_EQ(load_hall_of_fame_file(population.data()), HallOfFameLoad::read_failed);
    bytes.push_back(0);
    bytes.push_back(0);
    write_file("meillfl.don", bytes);
    EXPECT_EQ(load_hall_of_fame_file(population.data()), HallOfFameLoad::loaded);
}
