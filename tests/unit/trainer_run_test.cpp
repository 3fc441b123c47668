// Whole runs of the trainer in a temporary folder: console dialogue, saves, failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "folder_lock.h"
#include "support.h"

namespace {

const std::string banner = "Jeux d'Elvarin : programme d'apprentissage rapide.\n"
                           "Nb neurones = 233 nb connexion = 4260 nb octet total = 613444\n";
const std::string question = " Voulez-vous stopper le programme (O/N) ? \n";

// Weights of a first population as our tool makes them.
float small_weight(int32_t k, int32_t w) { return static_cast<float>((k * 7919 + w * 104729) % 32768 - 16384) / 16384.0f; }

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

size_t generation_lines(const std::string& text)
{
    size_t count = 0;
    for (const std::string& line : lines_of(text))
        count += line.rfind("Generation = ", 0) == 0;
    return count;
}

} // namespace

TEST(TrainerRun, MissingPopulationFileStopsAfterTheBanner)
{
    TempFolder folder;
    const TrainerRun run = run_trainer(1, {});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, banner + "Ouverture fichier sauvegarde ne se fait pas\n");
    EXPECT_FALSE(std::filesystem::exists("meillfl.don"));
}

TEST(TrainerRun, StopQuestionTakesOnlyTheAcceptedKeys)
{
    TempFolder folder;
    write_file("elvarfl.don", population_image(0.0f, small_weight));
    // After generation 2: "O" only interrupts, "x" and "?" are ignored, "n" goes on;
    // after generation 4: "N" interrupts, "o" stops.
    const TrainerRun run = run_trainer(7, {{2, "Ox?n"}, {4, "No"}});
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> lines = lines_of(run.output);
    ASSERT_EQ(lines.size(), 2u + 4 + 2);
    EXPECT_EQ(lines[4] + "\n", question);
    EXPECT_EQ(lines[7] + "\n", question);
    EXPECT_EQ(lines[2].rfind("Generation = 1 / Le meilleur score de la manche est ", 0), 0u);
    EXPECT_EQ(lines[6].rfind("Generation = 4 / ", 0), 0u);
    EXPECT_EQ(read_float(read_file("elvarfl.don"), 0), 4.0f);

    // The next run goes on from the saved counter.
    const TrainerRun again = run_trainer(8, {{1, "xO"}});
    EXPECT_EQ(lines_of(again.output)[2].rfind("Generation = 5 / ", 0), 0u);
    EXPECT_EQ(read_float(read_file("elvarfl.don"), 0), 5.0f);
}

TEST(TrainerRun, EndOfInputAtTheQuestionCountsAsYes)
{
    TempFolder folder;
    write_file("elvarfl.don", population_image(0.0f, small_weight));
    const TrainerRun run = run_trainer(3, {{1, "x"}}); // no key after the interrupting one
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(generation_lines(run.output), 1u);
    EXPECT_EQ(run.output.substr(run.output.size() - question.size()), question);
}

TEST(TrainerRun, SavesEveryTwoHundredGenerationsOfTheRun)
{
    TempFolder folder;
    write_file("elvarfl.don", population_image(1000.0f, small_weight));
    // Stopped at generation 199 of the run: the file has changed only at the end (and at
    // any champion's step, which saves the population that has just played).
    const TrainerRun run = run_trainer(11, {{199, "xN"}, {200, "xN"}, {201, "xO"}});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(generation_lines(run.output), 201u);
    EXPECT_NE(run.output.find("Generation = 1200 / "), std::string::npos);
    EXPECT_EQ(read_float(read_file("elvarfl.don"), 0), 1201.0f);
}

TEST(TrainerRun, CounterIsPrintedWithSixSignificantDigits)
{
    TempFolder folder;
    write_file("elvarfl.don", population_image(999998.0f, small_weight));
    const TrainerRun run = run_trainer(5, {{3, "xo"}});
    const std::vector<std::string> lines = lines_of(run.output);
    EXPECT_EQ(lines[2].substr(0, 24), "Generation = 999999 / Le");
    EXPECT_EQ(lines[3].substr(0, 23), "Generation = 1e+06 / Le");
    EXPECT_EQ(lines[4].substr(0, 23), "Generation = 1e+06 / Le");
    EXPECT_EQ(read_float(read_file("elvarfl.don"), 0), 1000001.0f);
}

TEST(TrainerRun, SecondTrainerInTheFolderRefusesToStart)
{
    TempFolder folder;
    const std::vector<unsigned char> population = population_image(0.0f, small_weight);
    write_file("elvarfl.don", population);
    FolderLock first_run = take_folder_lock("."); // as a running trainer holds it
    ASSERT_EQ(first_run.state, FolderLockState::ours);
    const TrainerRun refused = run_trainer(2, {{1, "xO"}});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.output, banner + "Un autre apprentissage tourne d\xE9j\xE0 dans ce dossier\n");
    EXPECT_EQ(read_file("elvarfl.don"), population);
    EXPECT_FALSE(std::filesystem::exists("meillfl.don"));
    release_folder_lock(first_run);

    // Once it has ended, the folder is free; a run lets it go when it ends, however.
    EXPECT_EQ(run_trainer(2, {{1, "xO"}}).status, 0);
    FolderLock after = take_folder_lock(".");
    EXPECT_EQ(after.state, FolderLockState::ours);
    release_folder_lock(after);
}

TEST(TrainerRun, TemporaryFilesOfAKilledRunAreRemoved)
{
    TempFolder folder;
    write_file("elvarfl.don", population_image(0.0f, small_weight));
    // Left by runs that are gone (no process bears such a number), and what is not ours.
    const std::vector<std::string> stale = {"elvarfl.don.tmp-999999999", "meillfl.don.tmp-999999998"};
    std::vector<std::string> kept = {"elvarfl.don.tmp-x1", "elvarfl.don.bak", "meillfl.don.tmp-"};
#ifndef _WIN32
    kept.push_back("elvarfl.don.tmp-" + std::to_string(getppid())); // its process still runs
#endif
    for (const std::string& name : stale)
        write_file(name, std::vector<unsigned char>(1000, 7));
    for (const std::string& name : kept)
        write_file(name, {1});
    const TrainerRun run = run_trainer(4, {{2, "xO"}});
    EXPECT_EQ(run.status, 0);
    for (const std::string& name : stale)
        EXPECT_FALSE(std::filesystem::exists(name)) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(name)) << name;
    EXPECT_EQ(read_file("elvarfl.don").size(), 613444u);
    EXPECT_EQ(read_float(read_file("elvarfl.don"), 0), 2.0f);
}
