// The trainer's console on Windows: keys from the console input buffer (or from a
// file or pipe in its place), Ctrl+C, Ctrl+Break and closing the window as a stop
// request, and text written as Windows-1252 bytes.
#include "console.h"
#include "console_keys.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT latin_code_page = 1252;
constexpr DWORD close_grace_ms = 4500; // Windows ends the process 5 s after a close event


HANDLE input = INVALID_HANDLE_VALUE;
bool input_is_console = false;
DWORD saved_input_mode = 0;
bool input_mode_changed = false;
UINT saved_output_code_page = 0;

std::atomic<bool> stop_requested{false};
HANDLE stop_event = nullptr;     // set with stop_requested, to wake a waiting read
HANDLE finished_event = nullptr; // set by console_restore: the run has ended
bool input_ended = false;

// A file or pipe in place of the console is read by a thread of its own, so that
// looking for a key never blocks (a pipe cannot be asked what it holds everywhere:
// Wine does not answer PeekNamedPipe on the pipes of its host).
CRITICAL_SECTION stream_lock;
std::string stream_bytes;             // read by the thread, not yet taken
bool stream_ended = false;            // the thread has met the end of the data or an error
HANDLE stream_event = nullptr;        // set when the thread has added a byte or ended

// Runs on a thread of its own. After a close, log-off or shut-down event the process
// is ended as soon as this returns, so it waits for the main line to save and end.
BOOL WINAPI on_console_event(DWORD event)
{
    stop_requested = true;
    SetEvent(stop_event);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(finished_event, close_grace_ms);
    return TRUE;
}

// The key that a console input event stands for: the byte of a character key, 0 for
// other keys (arrows, function keys); -1 for releases, modifier keys alone and any
// event that is not a key.
int32_t key_of(const INPUT_RECORD& record)
{
    if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown)
        return -1;
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (key.uChar.AsciiChar != 0)
        return static_cast<unsigned char>(key.uChar.AsciiChar);
    switch (key.wVirtualKeyCode) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_CAPITAL: case VK_NUMLOCK:
    case VK_SCROLL: case VK_LWIN: case VK_RWIN: case VK_APPS:
        return -1;
    default:
        return 0;
    }
}

int32_t end_of_input()
{
    input_ended = true;
    return key_end_of_input;
}

// The next key from the console input buffer; -1 when `wait` is false and none is there.
int32_t console_key(bool wait)
{
    for (;;) {
        if (stop_requested)
            return key_stop;
        DWORD events = 0;
        if (!GetNumberOfConsoleInputEvents(input, &events))
            return end_of_input();
        if (events == 0) {
            if (!wait)
                return -1;
            const HANDLE wake[] = {stop_event, input};
            WaitForMultipleObjects(2, wake, FALSE, INFINITE);
            continue;
        }
        INPUT_RECORD record;
        DWORD got = 0;
        if (!ReadConsoleInputA(input, &record, 1, &got))
            return end_of_input();
        if (got == 1) {
            if (const int32_t key = key_of(record); key >= 0)
                return key;
        }
    }
}

// The reading thread: standard input a byte at a time, until its end or an error.
DWORD WINAPI read_stream(void*)
{
    for (;;) {
        unsigned char byte;
        DWORD got = 0;
        const bool read = ReadFile(input, &byte, 1, &got, nullptr) && got == 1;
        EnterCriticalSection(&stream_lock);
        if (read)
            stream_bytes.push_back(static_cast<char>(byte));
        else
            stream_ended = true;
        LeaveCriticalSection(&stream_lock);
        SetEvent(stream_event);
        if (!read)
            return 0;
    }
}

// The next byte that the reading thread has delivered; -1 when `wait` is false and
// none is there yet.
int32_t stream_byte(bool wait)
{
    for (;;) {
        if (stop_requested)
            return key_stop;
        EnterCriticalSection(&stream_lock);
        int32_t byte = -1;
        const bool ended = stream_bytes.empty() && stream_ended;
        if (!stream_bytes.empty()) {
            byte = static_cast<unsigned char>(stream_bytes.front());
            stream_bytes.erase(0, 1);
        }
        LeaveCriticalSection(&stream_lock);
        if (ended)
            return end_of_input();
        if (byte >= 0 || !wait)
            return byte;
        const HANDLE wake[] = {stop_event, stream_event};
        WaitForMultipleObjects(2, wake, FALSE, INFINITE);
    }
}

} // namespace

int32_t fetch_key(bool wait)
{
    if (stop_requested)
        return key_stop;
    if (input_ended)
        return key_end_of_input;
    return input_is_console ? console_key(wait) : stream_byte(wait);
}

void console_output_failed()
{
    stop_requested = true;
    if (stop_event)
        SetEvent(stop_event);
}

void console_restore()
{
    if (input_mode_changed) {
        SetConsoleMode(input, saved_input_mode);
        input_mode_changed = false;
    }
    if (saved_output_code_page != 0) {
        SetConsoleOutputCP(saved_output_code_page);
        saved_output_code_page = 0;
    }
    if (finished_event)
        SetEvent(finished_event);
}

void console_start()
{
    stop_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    finished_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(on_console_event, TRUE);

    input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (input == nullptr || input == INVALID_HANDLE_VALUE) {
        input_ended = true;
    } else if (GetConsoleMode(input, &mode)) {
        input_is_console = true;
        saved_input_mode = mode;
        // Single keys without echo; Ctrl+C stays a control event instead of a key.
        const DWORD key_mode = (mode & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT))
                               | ENABLE_PROCESSED_INPUT;
        input_mode_changed = SetConsoleMode(input, key_mode) != 0;
    } else {
        InitializeCriticalSection(&stream_lock);
        stream_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        const HANDLE reader = CreateThread(nullptr, 0, read_stream, nullptr, 0, nullptr);
        if (reader)
            CloseHandle(reader);
        else
            input_ended = true;
    }

    // The texts are Windows-1252 bytes: a console shows them right in that code page.
    if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) {
        saved_output_code_page = GetConsoleOutputCP();
        SetConsoleOutputCP(latin_code_page);
    }
    std::atexit(console_restore);
    console_set_stream(stdout);
}

bool console_stop_requested() { return stop_requested; }
