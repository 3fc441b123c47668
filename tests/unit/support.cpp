#include "support.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "console.h"
#include "generations.h"
#include "population_file.h"
#include "program_end.h"
#include "scripted_keyboard.h"
#include "random.h"
#include "tables.h"

CoreTables::CoreTables()
{
    allocate_core_tables();
    board = {current_board, board_cells};
    spare = {spare_board, board_cells};
    legal = {legal_move_map, board_cells};
    activation = {activations, activation_floats};
    population = {current_population, population_floats};
    next = {next_population, population_floats};
    scores = {score_table, networks_bound};
}

CoreTables::~CoreTables() { release_core_tables(); }

void CoreTables::set_board(const char* rows)
{
    std::fill(board.begin(), board.end(), 0);
    int32_t s = 1;
    for (const char* c = rows; *c && s <= 64; ++c) {
        if (*c == 'W' || *c == 'B' || *c == '.') {
            board[static_cast<size_t>(s)] = *c == 'W' ? 1 : *c == 'B' ? 2 : 0;
            ++s;
        }
    }
}

namespace {

// The state before `state`: the generator's step taken back.
uint32_t previous_state(uint32_t state)
{
    uint32_t inverse = 1; // multiplicative inverse of 214013 modulo 2^32, by Newton's iteration
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - 214013u * inverse;
    return (state - 2531011u) * inverse;
}

uint32_t next_state(uint32_t state) { return state * 214013u + 2531011u; }
int32_t draw_of(uint32_t state) { return static_cast<int32_t>((state >> 16) & 0x7FFFu); }
bool within(uint32_t state, const DrawRange& range) { return draw_of(state) >= range.first && draw_of(state) <= range.last; }

} // namespace

void seed_for_next_draw(int32_t r)
{
    // The next state must carry r in bits 16..30; step back through the generator.
    seed_random(previous_state(static_cast<uint32_t>(r) << 16));
}

bool seed_for_draws(const std::vector<DrawRange>& ranges)
{
    // Every state that gives a draw of the narrowest range, walked forward and back
    // through the other ranges.
    size_t narrowest = 0;
    for (size_t i = 1; i < ranges.size(); ++i)
        if (ranges[i].last - ranges[i].first < ranges[narrowest].last - ranges[narrowest].first)
            narrowest = i;
    for (int32_t r = ranges[narrowest].first; r <= ranges[narrowest].last; ++r) {
        for (uint32_t free_bits = 0; free_bits < (1u << 17); ++free_bits) {
            const uint32_t chosen = (static_cast<uint32_t>(r) << 16) | (free_bits & 0xFFFFu) | ((free_bits >> 16) << 31);
            bool fits = true;
            uint32_t state = chosen;
            for (size_t i = narrowest + 1; i < ranges.size() && fits; ++i)
                fits = within(state = next_state(state), ranges[i]);
            state = chosen;
            for (size_t i = narrowest; i-- > 0 && fits;)
                fits = within(state = previous_state(state), ranges[i]);
            if (fits) {
                seed_random(previous_state(state));
                return true;
            }
        }
    }
    return false;
}

std::vector<int32_t> reference_draws(uint32_t seed, size_t count)
{
    std::vector<int32_t> draws;
    uint64_t state = seed;
    for (size_t i = 0; i < count; ++i) {
        state = (state * 214013 + 2531011) % 4294967296ull;
        draws.push_back(static_cast<int32_t>((state / 65536) % 32768));
    }
    return draws;
}

TempFolder::TempFolder()
{
    previous = std::filesystem::current_path();
    std::random_device device;
    path = std::filesystem::temp_directory_path() / ("elvarin-test-" + std::to_string(device()));
    std::filesystem::create_directories(path);
    std::filesystem::current_path(path);
}

int32_t process_number()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int32_t>(getpid());
#endif
}

TempFolder::~TempFolder()
{
    population_save_finished();
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path, ignored);
}

std::vector<unsigned char> read_file(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> population_image(float header, float (*value)(int32_t k, int32_t w))
{
    std::vector<float> floats(population_floats);
    floats[0] = header;
    for (int32_t k = 1; k <= networks; ++k)
        for (int32_t w = 1; w <= connections; ++w)
            floats[static_cast<size_t>(network_base(k) + w)] = value(k, w);
    std::vector<unsigned char> bytes(population_bytes);
    std::memcpy(bytes.data(), floats.data(), bytes.size());
    return bytes;
}

float read_float(const std::vector<unsigned char>& bytes, size_t offset)
{
    float value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TrainerRun run_trainer(uint32_t seed, std::vector<KeyPress> presses)
{
    std::map<int32_t, std::string> schedule;
    for (const KeyPress& press : presses)
        schedule[press.after_generation] = press.keys;
    int32_t status = 0;
    const std::string output = console_output_of([&] { status = trainer_main(seed, scripted_keyboard(schedule)); });
    return {status, output};
}

std::string console_output_of(const std::function<void()>& step)
{
    std::FILE* captured = std::tmpfile();
    console_set_stream(captured);
    step();
    console_set_stream(stdout);
    std::string output;
    std::rewind(captured);
    for (int c; (c = std::fgetc(captured)) != EOF;)
        output.push_back(static_cast<char>(c));
    std::fclose(captured);
    return output;
}

StepEnd run_step(const std::function<void()>& step)
{
    int32_t status = -1;
    std::string message = console_output_of([&] {
        try {
            step();
        } catch (const ProgramEnd& end) {
            status = end.status;
        }
    });
    return {status, message};
}
