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
    current_board = board.data();
    legal_move_map = legal.data();
    activations = activation.data();
    current_population = population.data();
}

CoreTables::~CoreTables()
{
    current_board = nullptr;
    legal_move_map = nullptr;
    activations = nullptr;
    current_population = nullptr;
}

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

void seed_for_next_draw(int32_t r)
{
    // The next state must carry r in bits 16..30; step back through the generator.
    uint32_t inverse = 1; // multiplicative inverse of 214013 modulo 2^32, by Newton's iteration
    for (int i = 0; i < 5; ++i)
        inverse *= 2u - 214013u * inverse;
    const uint32_t next = static_cast<uint32_t>(r) << 16;
    seed_random((next - 2531011u) * inverse);
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
