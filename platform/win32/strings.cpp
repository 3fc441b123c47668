// platform/win32/strings.cpp -- wsprintfA and lstrlenA. wsprintfA knows the conversions the
// program uses, %d (an int) and %%; any other character after % is written as it stands.
// Like the system function it writes at most 1024 characters with the closing zero.
#include <windows.h>

#include <cstdarg>
#include <cstring>
#include <string>

namespace {
constexpr size_t wsprintf_limit = 1024;
}

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    if (buffer == nullptr || format == nullptr)
        return 0;
    std::string text;
    va_list arguments;
    va_start(arguments, format);
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0')
            text.push_back(*p);
        else if (*++p == 'd')
            text += std::to_string(va_arg(arguments, int));
        else
            text.push_back(*p);
    }
    va_end(arguments);
    if (text.size() > wsprintf_limit - 1)
        text.resize(wsprintf_limit - 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

int WINAPI lstrlenA(LPCSTR text)
{
    return text != nullptr ? static_cast<int>(std::strlen(text)) : 0;
}
