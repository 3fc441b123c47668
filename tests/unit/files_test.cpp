// The byte images of the two network files and the trainer's file steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "console.h"
#include "hall_of_fame_file.h"
#include "image_file.h"
#include "lowfile.h"
#include "population_file.h"
#include "program_end.h"
#include "support.h"
#include "tables.h"

namespace {

namespace fs = std::filesystem;

// The names in the working folder, other than those given.
std::vector<std::string> other_files(std::initializer_list<const char*> known)
{
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator("."))
        if (std::find(known.begin(), known.end(), entry.path().filename().string()) == known.end())
            others.push_back(entry.path().filename().string());
    return others;
}

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
    // Read back at once, while the new file may still be on its way to the disk.
    load_population();
    EXPECT_EQ(generation_counter, 57.0f);
    EXPECT_EQ(t.weight(36, 4260), weight_value(36, 4260));
    finish_population_save();
    EXPECT_EQ(other_files({"elvarfl.don"}), std::vector<std::string>{}); // no temporary file is left
    std::vector<unsigned char> bytes = read_file("elvarfl.don");
    ASSERT_EQ(bytes.size(), 613444u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4),
              (std::vector<unsigned char>{0x00, 0x00, 0x64, 0x42}));
    EXPECT_EQ(read_float(bytes, 4), weight_value(1, 1));
    EXPECT_EQ(read_float(bytes, 4 + 17040 * 35 + 4 * 4259), weight_value(36, 4260));
    save_population();
    finish_population_save();
    EXPECT_EQ(read_file("elvarfl.don"), bytes); // saving twice gives the same bytes
}

TEST(PopulationFile, SaveKeepsTheTailAndThePermissions)
{
    TempFolder folder;
    CoreTables t;
    std::vector<unsigned char> bytes = population_image(12.0f, weight_value);
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    write_file("elvarfl.don", bytes);
    const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions("elvarfl.don", perms);
    load_population();
    EXPECT_EQ(generation_counter, 12.0f);
    generation_counter = 13.0f;
    save_population();
    finish_population_save();
#ifndef _WIN32
    EXPECT_EQ(fs::status("elvarfl.don").permissions() & fs::perms::all, perms);
#endif
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

    // So is a weight that is no number, wherever it lies; the message names its network.
    for (const auto& [k, w] : {std::pair{1, 1}, std::pair{17, 2000}, std::pair{36, 4260}}) {
        bytes = population_image(3.0f, weight_value);
        const float bad = k == 17 ? INFINITY : std::nanf("");
        std::memcpy(bytes.data() + 4 + (k - 1) * 17040 + (w - 1) * 4, &bad, 4);
        write_file("elvarfl.don", bytes);
        std::tie(status, text) = run_step(load_population);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(text, "Fichier sauvegarde incorrect : poids invalide dans le r\xE9seau " + std::to_string(k) + "\n");
        EXPECT_EQ(read_file("elvarfl.don"), bytes);
    }

    // The new file cannot be made beside the old one: the old one stays.
    bytes = population_image(3.0f, weight_value);
    write_file("elvarfl.don", bytes);
    load_population();
    generation_counter = 4.0f;
    const std::string in_the_way = "elvarfl.don.tmp-" + std::to_string(process_number());
    fs::create_directory(in_the_way);
    fs::create_directory(in_the_way + "/inside");
    std::tie(status, text) = run_step(save_population);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(text, "Ouverture fichier sauvegarde ne se fait pas");
    EXPECT_EQ(read_file("elvarfl.don"), bytes);
    fs::remove_all(in_the_way);

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
    std::tie(status, text) = run_step(load_population);
    EXPECT_EQ(text, "Ouverture fichier sauvegarde ne se fait pas\n");
}

TEST(PopulationFile, NewFileIsPrivateToItsOwner)
{
    TempFolder folder;
    CoreTables t;
    save_population();
    finish_population_save();
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
    write_champion_slot(3);
    std::vector<unsigned char> bytes = read_file("meillfl.don");
    ASSERT_EQ(bytes.size(), original.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const bool in_slot_7 = i >= 102244 && i <= 119283;
        ASSERT_EQ(bytes[i], in_slot_7 ? float_bytes(-2.0f)[(i - 102244) % 4] : original[i]) << "offset " << i;
    }
    write_replacement_header(12);
    EXPECT_EQ(a_ecraser, 12.0f);
    bytes = read_file("meillfl.don");
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4),
              (std::vector<unsigned char>{0x00, 0x00, 0x40, 0x41}));
    write_replacement_header(1);
    write_champion_slot(3);
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
    EXPECT_EQ(other_files({"meillfl.don"}), std::vector<std::string>{});

    // An empty file, or one too short for a header, is treated the same way.
    for (size_t size : {0, 3}) {
        write_file("meillfl.don", std::vector<unsigned char>(size, 0x41));
        open_hall_of_fame();
        close_hall_of_fame();
        EXPECT_EQ(read_file("meillfl.don"), population_image(1.0f, weight_value));
    }
    EXPECT_EQ(other_files({"meillfl.don"}), std::vector<std::string>{});
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

TEST(HallOfFameFile, ShortFileIsRefusedUntouched)
{
    TempFolder folder;
    CoreTables t;
    for (size_t size : {size_t{4}, size_t{4 + 17040 + 100}, size_t{613443}}) {
        std::vector<unsigned char> bytes = population_image(2.0f, weight_value);
        bytes.resize(size);
        write_file("meillfl.don", bytes);
        const auto [status, text] = run_step(open_hall_of_fame);
        close_hall_of_fame();
        EXPECT_EQ(status, 1);
        EXPECT_EQ(text, "Fichier meillfl incomplet : " + std::to_string(size) + " octets au lieu de 613444");
        EXPECT_EQ(read_file("meillfl.don"), bytes);
    }
}

TEST(NetworkFiles, WholeImageIsReadOrRefusedWithItsStatus)
{
    TempFolder folder;
    std::vector<float> population(population_floats, -1.0f);
    const auto read = [&](Access access) { return read_image("meillfl.don", population.data(), access); };
    EXPECT_EQ(read(Access::read_write).status, FileStatus::cannot_open);
    std::vector<unsigned char> bytes = population_image(9.0f, weight_value);
    write_file("meillfl.don", bytes);
    FileResult result = read(Access::read_write);
    EXPECT_EQ(result.status, FileStatus::done);
    EXPECT_EQ(result.bytes, 613444);
    EXPECT_EQ(population[0], 9.0f); // the header travels with network 1
    EXPECT_EQ(population[static_cast<size_t>(network_base(36) + 4260)], weight_value(36, 4260));
    EXPECT_EQ(read_file("meillfl.don"), bytes);

    // One byte short: incomplete, and how long it is.
    bytes.pop_back();
    write_file("meillfl.don", bytes);
    result = read(Access::read_write);
    EXPECT_EQ(result.status, FileStatus::incomplete);
    EXPECT_EQ(result.bytes, 613443);
    // Longer than an image: the rest is not read.
    bytes.push_back(0);
    bytes.push_back(0);
    write_file("meillfl.don", bytes);
    EXPECT_EQ(read(Access::read_write).status, FileStatus::done);

#ifndef _WIN32
    // A write-protected file is read only when asked for reading alone (root reads it anyway).
    fs::permissions("meillfl.don", fs::perms::owner_read);
    if (std::FILE* probe = std::fopen("meillfl.don", "r+b"); probe == nullptr)
        EXPECT_EQ(read(Access::read_write).status, FileStatus::cannot_open);
    else
        std::fclose(probe);
    EXPECT_EQ(read(Access::read_only).status, FileStatus::done);
    fs::permissions("meillfl.don", fs::perms::owner_write, fs::perm_options::add);
#endif

    // Something that is no ordinary file cannot be opened, and nothing waits on it.
    fs::remove("meillfl.don");
    fs::create_directory("meillfl.don");
    EXPECT_EQ(read(Access::read_only).status, FileStatus::cannot_open);
#ifndef _WIN32
    fs::remove("meillfl.don");
    ASSERT_EQ(mkfifo("meillfl.don", 0600), 0);
    EXPECT_EQ(read(Access::read_write).status, FileStatus::cannot_open);
#endif
}

#ifndef _WIN32
// Named pipes, devices and folders, also behind a link, are refused at once by both
// files' open; a link to an ordinary file is followed, and stays a link after a save.
TEST(NetworkFiles, OnlyOrdinaryFilesAreOpened)
{
    TempFolder folder;
    CoreTables t;
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    fs::create_directory("folder");
    write_file("ordinary", {1, 2, 3});
    fs::create_symlink("pipe", "to-pipe");
    fs::create_symlink("/dev/zero", "to-device");
    fs::create_symlink("ordinary", "to-ordinary");
    for (const char* name : {"pipe", "folder", "to-pipe", "to-device", "/dev/null"})
        for (OpenMode mode : {OpenMode::read_only, OpenMode::read_write, OpenMode::write_only_create})
            EXPECT_EQ(file_open(name, mode), -1) << name;
    const int32_t handle = file_open("to-ordinary", OpenMode::read_write);
    ASSERT_GE(handle, 0);
    EXPECT_EQ(file_size(handle), 3);
    unsigned char byte = 0;
    EXPECT_EQ(file_read(handle, &byte, 1), 1); // transfers wait as usual again
    file_close(handle);

    for (const char* target : {"pipe", "folder", "/dev/zero"}) {
        fs::remove("elvarfl.don");
        fs::remove("meillfl.don");
        fs::create_symlink(target, "elvarfl.don");
        fs::create_symlink(target, "meillfl.don");
        auto [status, text] = run_step(load_population);
        EXPECT_EQ(text, "Ouverture fichier sauvegarde ne se fait pas\n") << target;
        std::tie(status, text) = run_step(save_population);
        EXPECT_EQ(text, "Ouverture fichier sauvegarde ne se fait pas") << target;
        std::tie(status, text) = run_step(open_hall_of_fame);
        close_hall_of_fame();
        EXPECT_EQ(status, 1);
        EXPECT_EQ(text, "Ouverture fichier meillfl ne se fait pas") << target;
    }

    // Both files through links into another folder: the links stay, the files they
    // name are renewed, the temporary files go beside them.
    fs::create_directory("store");
    fs::remove("elvarfl.don");
    fs::remove("meillfl.don");
    write_file("store/population", population_image(5.0f, weight_value));
    write_file("store/hall", {});
    fs::create_symlink("store/population", "elvarfl.don");
    fs::create_symlink("store/hall", "meillfl.don");
    load_population();
    open_hall_of_fame();
    close_hall_of_fame();
    generation_counter = 6.0f;
    save_population();
    finish_population_save();
    EXPECT_TRUE(fs::is_symlink("elvarfl.don"));
    EXPECT_TRUE(fs::is_symlink("meillfl.don"));
    EXPECT_EQ(read_file("store/population"), population_image(6.0f, weight_value));
    EXPECT_EQ(read_file("store/hall"), population_image(1.0f, weight_value));
    std::vector<std::string> stored;
    for (const auto& entry : fs::directory_iterator("store"))
        stored.push_back(entry.path().filename().string());
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::string>{"hall", "population"}));
}

// Runs a step in a child process whose files cannot grow beyond `limit` bytes (as on a
// full disk): "status:message" of the step. The message goes through a pipe, which
// the limit does not reach.
std::string run_step_with_file_limit(rlim_t limit, const std::function<void()>& step)
{
    int channel[2];
    if (pipe(channel) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit file_limit{limit, limit};
        setrlimit(RLIMIT_FSIZE, &file_limit);
        std::FILE* message = fdopen(channel[1], "w");
        console_set_stream(message);
        int status = 0;
        try {
            step();
        } catch (const ProgramEnd& end) {
            status = end.status;
        }
        std::fclose(message);
        _exit(status);
    }
    close(channel[1]);
    std::string message;
    char chunk[256];
    for (ssize_t got; (got = read(channel[0], chunk, sizeof chunk)) > 0;)
        message.append(chunk, static_cast<size_t>(got));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ":" + message;
}

// A save that fails half-way ends with the save's message, and the previous file stays
// whole, with nothing beside it.
TEST(PopulationFile, FailedWriteLeavesThePreviousSave)
{
    TempFolder folder;
    CoreTables t;
    const std::vector<unsigned char> previous = population_image(8.0f, weight_value);
    write_file("elvarfl.don", previous);
    load_population();
    generation_counter = 9.0f;
    const std::string report = run_step_with_file_limit(300000, save_population);
    const std::string expected = "1:Ecriture ne se fait pashandle ";
    EXPECT_EQ(report.substr(0, expected.size()), expected);
    EXPECT_EQ(report.back(), ' ');
    EXPECT_EQ(read_file("elvarfl.don"), previous);
    EXPECT_EQ(other_files({"elvarfl.don"}), std::vector<std::string>{});
}

// A new hall of fame that cannot be written says which part failed: the header when
// not a byte could be written, the networks after that. Nothing is left behind.
TEST(HallOfFameFile, FailedCreationNamesThePartThatFailed)
{
    TempFolder folder;
    CoreTables t;
    for (const auto& [limit, part] : {std::pair<rlim_t, std::string>{0, "a_ecraser"}, {2, "meilleur"},
                                      {20000, "meilleur"}}) {
        const std::string report = run_step_with_file_limit(limit, open_hall_of_fame);
        const std::string expected = "1:\xE9" "criture " + part + " ne se fait pash_meil ";
        EXPECT_EQ(report.substr(0, expected.size()), expected) << limit;
        EXPECT_EQ(other_files({}), std::vector<std::string>{}) << limit;
    }
}
#endif
