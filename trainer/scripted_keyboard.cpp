#include "scripted_keyboard.h"

#include <cstdlib>

#include "console.h"

namespace {

std::map<int32_t, std::string> schedule;
int32_t polls = 0; // keyboard polls so far: one per generation
std::string typed; // keys typed and not yet read

bool scheduled_key_waiting()
{
    ++polls;
    const auto entry = schedule.find(polls);
    if (typed.empty() && entry != schedule.end())
        typed = entry->second;
    return !typed.empty();
}

int32_t scheduled_read_key()
{
    if (typed.empty())
        return key_end_of_input;
    const auto key = static_cast<unsigned char>(typed.front());
    typed.erase(typed.begin());
    return key;
}

} // namespace

Keyboard scripted_keyboard(std::map<int32_t, std::string> keys)
{
    schedule = std::move(keys);
    polls = 0;
    typed.clear();
    return Keyboard{scheduled_key_waiting, scheduled_read_key};
}

bool parse_key_schedule(const std::string& text, std::map<int32_t, std::string>& keys)
{
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(',', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string item = text.substr(start, end - start);
        const size_t equals = item.find('=');
        char* after = nullptr;
        const long generation = std::strtol(item.c_str(), &after, 10);
        if (equals == std::string::npos || after != item.c_str() + equals || generation < 1 || equals + 1 >= item.size())
            return false;
        keys[static_cast<int32_t>(generation)] = item.substr(equals + 1);
        start = end + 1;
    }
    return true;
}
