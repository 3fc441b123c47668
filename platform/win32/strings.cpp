// platform/win32/strings.cpp -- wsprintfA and lstrlenA. wsprintfA knows the conversions of
// the system function (no floating point) and writes at most 1024 characters and the zero.
#include <windows.h>

#include <cstdarg>
#include <cstring>
#include <string>

namespace {

constexpr size_t wsprintf_limit = 1024;

struct Conversion {
    bool left = false;
    bool zero = false;
    size_t width = 0;
    bool has_precision = false;
    size_t precision = 0;
    bool long_size = false;
};

std::string digits_of(unsigned long long value, unsigned base, bool upper)
{
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

void append_padded(std::string& out, const std::string& sign, std::string body, const Conversion& conversion,
                   bool numeric)
{
    if (numeric && conversion.has_precision && body.size() < conversion.precision)
        body.insert(0, conversion.precision - body.size(), '0');
    const size_t length = sign.size() + body.size();
    const size_t padding = conversion.width > length ? conversion.width - length : 0;
    if (conversion.left) {
        out += sign + body;
        out.append(padding, ' ');
    } else if (conversion.zero && numeric) {
        out += sign;
        out.append(padding, '0');
        out += body;
    } else {
        out.append(padding, ' ');
        out += sign + body;
    }
}

std::string format(const char* format, va_list arguments)
{
    std::string out;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            out.push_back(*p);
            continue;
        }
        ++p;
        Conversion conversion;
        for (;; ++p) {
            if (*p == '-')
                conversion.left = true;
            else if (*p == '0')
                conversion.zero = true;
            else if (*p != '#' && *p != ' ' && *p != '+')
                break;
        }
        while (*p >= '0' && *p <= '9')
            conversion.width = conversion.width * 10 + static_cast<size_t>(*p++ - '0');
        if (*p == '.') {
            conversion.has_precision = true;
            ++p;
            while (*p >= '0' && *p <= '9')
                conversion.precision = conversion.precision * 10 + static_cast<size_t>(*p++ - '0');
        }
        if (*p == 'l') {
            conversion.long_size = true;
            ++p;
        } else if (*p == 'h') {
            ++p;
        }
        switch (*p) {
        case 'd':
        case 'i': {
            const long long value = conversion.long_size ? va_arg(arguments, long) : va_arg(arguments, int);
            const unsigned long long magnitude =
                value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
            append_padded(out, value < 0 ? "-" : "", digits_of(magnitude, 10, false), conversion, true);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            const unsigned long long value =
                conversion.long_size ? va_arg(arguments, unsigned long) : va_arg(arguments, unsigned int);
            const unsigned base = *p == 'u' ? 10 : 16;
            append_padded(out, "", digits_of(value, base, *p == 'X'), conversion, true);
            break;
        }
        case 'c':
            append_padded(out, "", std::string(1, static_cast<char>(va_arg(arguments, int))), conversion, false);
            break;
        case 's': {
            const char* text = va_arg(arguments, const char*);
            std::string body = text != nullptr ? text : "(null)";
            if (conversion.has_precision && body.size() > conversion.precision)
                body.resize(conversion.precision);
            append_padded(out, "", body, conversion, false);
            break;
        }
        case '\0':
            return out;
        default:
            // '%%' and unknown conversions give the character itself.
            out.push_back(*p);
            break;
        }
    }
    return out;
}

} // namespace

int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format_text, ...)
{
    if (buffer == nullptr || format_text == nullptr)
        return 0;
    va_list arguments;
    va_start(arguments, format_text);
    std::string text = format(format_text, arguments);
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
