#include "game_fixture.h"

#include <unistd.h>

#include <fstream>

#include "app_state.h"
#include "board.h"
#include "game_clock.h"
#include "tables.h"

namespace {
constexpr int32_t multipliers[6] = {1, 7, 13, 27, 45, 59}; // odd: each gives an order of all squares
constexpr int32_t marker_weight = hidden2_block + hidden2_units * (hidden1_units - 1) + 1;

uint32_t test_clock() { return test_seed; }

float preference(int32_t type, int32_t square)
{
    return static_cast<float>((square * multipliers[type]) % 64 + 1);
}

int32_t type_of(int32_t network) { return (network - 1) % 6; }
}

std::vector<float> preference_hall()
{
    std::vector<float> population(population_floats, 0.0f);
    for (int32_t k = 1; k <= networks; ++k) {
        float* weight = population.data() + network_base(k); // weight w at weight[w]
        for (int32_t i = 1; i <= 128; ++i)
            weight[hidden1_units * (i - 1) + 1] = 1.0f; // every piece turns hidden-1 unit 1 on
        weight[hidden2_block + 1] = 1.0f;               // hidden-1 unit 1 -> hidden-2 unit 1
        for (int32_t o = 1; o <= outputs; ++o)
            weight[output_block + o] = preference(type_of(k), o);
        weight[marker_weight] = static_cast<float>(k);
    }
    return population;
}

std::vector<float> random_hall(uint32_t seed)
{
    std::vector<float> population(population_floats, 0.0f);
    uint32_t state = seed;
    for (int32_t e = 1; e < population_floats; ++e) {
        state = state * 1664525u + 1013904223u;
        population[e] = static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    }
    return population;
}

int32_t marker_of(const float* population, int32_t position)
{
    return static_cast<int32_t>(population[network_base(position) + marker_weight]);
}

void write_hall(const std::vector<float>& population, size_t bytes)
{
    std::ofstream file("meillfl.don", std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(population.data()), static_cast<std::streamsize>(bytes));
}

void set_position(const Diagram& rows)
{
    for (int32_t y = 1; y <= 8; ++y) {
        for (int32_t x = 1; x <= 8; ++x) {
            const char c = rows[y - 1][x - 1];
            current_board[square_of(x, y)] = c == 'W' ? white : c == 'B' ? black : empty;
        }
    }
    find_legal_moves(side_to_move);
}

Diagram position_now()
{
    Diagram rows(8, std::string(8, '.'));
    for (int32_t y = 1; y <= 8; ++y) {
        for (int32_t x = 1; x <= 8; ++x) {
            const uint8_t cell = current_board[square_of(x, y)];
            rows[y - 1][x - 1] = cell == white ? 'W' : cell == black ? 'B' : '.';
        }
    }
    return rows;
}

POINT centre_of(int32_t square)
{
    const int32_t i = (square - 1) % 8 + 1;
    const int32_t j = (square - 1) / 8 + 1;
    return POINT{1 + 30 * (i - 1) + 13, 1 + 30 * (j - 1) + 13};
}

void click_square(int32_t square)
{
    const POINT point = centre_of(square);
    win32_test::click(win32_test::main_window(), point.x, point.y);
}

std::vector<std::string> status_history()
{
    return win32_test::control_text_history(win32_test::main_window(), IDC_STATUS);
}

std::vector<std::string> message_texts()
{
    std::vector<std::string> texts;
    for (const win32_test::MessageBoxCall& call : win32_test::message_boxes())
        texts.push_back(call.text);
    return texts;
}

void GameTest::SetUp()
{
    previous_folder = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    std::filesystem::current_path(folder);
    for (const char* cursor : {"oui.cur", "non.cur"})
        std::filesystem::copy_file(std::filesystem::path(KORVANE_CURSOR_DIR) / cursor, folder / cursor);
    game_clock = test_clock;
    win32_test::answer_message_boxes(nullptr); // the layer's default answers
}

void GameTest::TearDown()
{
    std::filesystem::current_path(previous_folder);
    std::filesystem::remove_all(folder);
}

int GameTest::run()
{
    const int result = win32_test::run_program(WinMain);
    EXPECT_TRUE(win32_test::script_errors().empty());
    return result;
}
