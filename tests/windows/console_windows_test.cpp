// The Windows console layer with a pipe in place of the console, and its output bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "console.h"

namespace {

void write_bytes(HANDLE pipe, const char* bytes)
{
    DWORD written = 0;
    WriteFile(pipe, bytes, static_cast<DWORD>(std::char_traits<char>::length(bytes)), &written, nullptr);
}

bool key_within(DWORD ms)
{
    for (DWORD waited = 0; waited < ms; waited += 10) {
        if (key_waiting())
            return true;
        Sleep(10);
    }
    return false;
}

HANDLE late_writer_pipe = nullptr;
DWORD WINAPI write_late(void*)
{
    Sleep(200);
    write_bytes(late_writer_pipe, "n");
    return 0;
}

} // namespace

// One run from console_start on, as the trainer sees its keys when they come on a pipe.
TEST(WindowsConsole, KeysFromAPipeThenItsEnd)
{
    HANDLE read_end = nullptr;
    HANDLE write_end = nullptr;
    ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
    SetStdHandle(STD_INPUT_HANDLE, read_end);
    console_start();

    EXPECT_FALSE(key_waiting()); // nothing typed: no key, and no waiting for one
    write_bytes(write_end, "xO");
    ASSERT_TRUE(key_within(5000));
    EXPECT_EQ(read_key(), 'x');
    EXPECT_EQ(read_key(), 'O');
    EXPECT_FALSE(key_waiting());

    // A read that waits is woken by the next byte.
    late_writer_pipe = write_end;
    const HANDLE writer = CreateThread(nullptr, 0, write_late, nullptr, 0, nullptr);
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(read_key(), 'n');
    WaitForSingleObject(writer, INFINITE);
    CloseHandle(writer);

    // The writer goes away: the end of the input, at once and for good.
    write_bytes(write_end, "o");
    CloseHandle(write_end);
    EXPECT_EQ(read_key(), 'o');
    EXPECT_EQ(read_key(), key_end_of_input);
    EXPECT_FALSE(key_waiting());
    EXPECT_EQ(read_key(), key_end_of_input);
    console_restore();
}

TEST(WindowsConsole, TextsGoOutAsTheirBytes)
{
    std::FILE* captured = std::tmpfile();
    ASSERT_NE(captured, nullptr);
    console_set_stream(captured, true);
    console_print("Le reseau %d est s\xE9lectionn\xE9 avec le score de %d\n", 7, 17);
    console_set_stream(stdout);
    std::rewind(captured);
    std::string bytes;
    for (int c; (c = std::fgetc(captured)) != EOF;)
        bytes.push_back(static_cast<char>(c));
    std::fclose(captured);
    EXPECT_EQ(bytes, "Le reseau 7 est s\xE9lectionn\xE9 avec le score de 17\n");
}
