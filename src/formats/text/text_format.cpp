// Formatting into strings.
#include "formats/text/text_format.h"

#include <cstdio>

std::string vformatText(const char* format, std::va_list arguments)
{
    std::va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length < 0 ? 0 : static_cast<std::size_t>(length), '\0');
    std::vsnprintf(&text[0], text.size() + 1, format, arguments);
    return text;
}

std::string formatText(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::string text = vformatText(format, arguments);
    va_end(arguments);
    return text;
}
