#include "number_arguments.h"

#include <cerrno>
#include <cstdlib>

bool parse_whole_number(const char* text, int64_t low, int64_t high, int64_t& value)
{
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 10);
    if (*text == '\0' || *end != '\0' || errno != 0 || parsed < low || parsed > high)
        return false;
    value = parsed;
    return true;
}

bool parse_number(const char* text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text, &end);
    return *text != '\0' && *end == '\0' && value == value;
}

std::vector<std::string> comma_items(const std::string& text)
{
    std::vector<std::string> items(1);
    for (const char c : text) {
        if (c == ',')
            items.emplace_back();
        else
            items.back() += c;
    }
    return items;
}
