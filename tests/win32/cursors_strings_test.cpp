// tests/win32/cursors_strings_test.cpp -- cursors from files at their size and stretched, the
// class cursor, wsprintfA.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "test_program.h"

using namespace win32_test;

namespace {

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test_program::prepare();
        file = std::filesystem::temp_directory_path() / ("layer-test-" + std::to_string(::getpid()) + ".cur");
        const std::vector<uint8_t> bytes = test_program::cursor_file(7, 9);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    void TearDown() override
    {
        std::filesystem::remove(file);
    }
    std::filesystem::path file;
};

} // namespace

namespace {
HCURSOR load_cursor_file(const std::string& name, int size)
{
    return static_cast<HCURSOR>(LoadImageA(nullptr, name.c_str(), IMAGE_CURSOR, size, size, LR_LOADFROMFILE));
}
} // namespace

TEST_F(CursorTest, CursorFileHotSpotMissingFileAndTheClassCursor)
{
    HCURSOR from_file = nullptr;
    test_program::extra = [&from_file](HWND, UINT message, WPARAM, LPARAM lparam) {
        if (message != WM_MOUSEMOVE)
            return false;
        // Left half: the file's cursor; right half: none set, the class cursor shows.
        if (LOWORD(lparam) < 100)
            SetCursor(from_file);
        return true;
    };
    const std::string name = file.string();
    add_step([&from_file, name] {
        from_file = load_cursor_file(name, 0);   // at the file's own size
        ASSERT_NE(from_file, nullptr);
        move_pointer(main_window(), 50, 50);
        const CursorInfo own = current_cursor();
        EXPECT_EQ(own.kind, CursorKind::from_file);
        EXPECT_EQ(own.file, name);
        EXPECT_EQ(own.hot_spot.x, 7);
        EXPECT_EQ(own.hot_spot.y, 9);
        ASSERT_EQ(own.size.cx, 32);
        move_pointer(main_window(), 300, 50);
        EXPECT_EQ(current_cursor().kind, CursorKind::standard_cross);

        // Twice as large: each pixel a block of two by two, the hot spot with it.
        from_file = load_cursor_file(name, 64);
        move_pointer(main_window(), 50, 50);
        const CursorInfo twice = current_cursor();
        ASSERT_EQ(twice.size.cx, 64);
        ASSERT_EQ(twice.size.cy, 64);
        EXPECT_EQ(twice.hot_spot.x, 14);
        EXPECT_EQ(twice.hot_spot.y, 18);
        int different = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x)
                different += twice.pixels[64 * y + x] != own.pixels[32 * (y / 2) + x / 2] ? 1 : 0;
        }
        EXPECT_EQ(different, 0);

        EXPECT_EQ(load_cursor_file("no-such-file.cur", 0), nullptr);
        from_file = nullptr;   // a missing file's cursor hides the pointer
        move_pointer(main_window(), 50, 50);
        EXPECT_EQ(current_cursor().kind, CursorKind::null_cursor);
    });
    EXPECT_EQ(run_program(test_program::entry), 0);

    // A file that is no cursor gives no cursor either.
    std::ofstream(file, std::ios::binary) << "BM not a cursor";
    EXPECT_EQ(load_cursor_file(name, 0), nullptr);
}

TEST(Strings, WsprintfConversions)
{
    char text[1100];
    EXPECT_EQ(wsprintfA(text, "  Je trie le r\xE9" "seau ... %d %%. ", 100), 31);
    EXPECT_STREQ(text, "  Je trie le r\xE9" "seau ... 100 %. ");
    wsprintfA(text, "[%d|%d|%d]", 0, -12, -2147483647 - 1);
    EXPECT_STREQ(text, "[0|-12|-2147483648]");
    const std::string long_text(2000, 'a');
    EXPECT_EQ(wsprintfA(text, (long_text + "%d").c_str(), 5), 1023);   // the system's limit
    EXPECT_EQ(lstrlenA(text), 1023);
    EXPECT_EQ(lstrlenA(nullptr), 0);
}
