// Formatting into strings, and of the local time.
#include "console/system/text_format.h"

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

std::string isoLocalTime(std::time_t moment)
{
    std::tm local = *std::localtime(&moment);
    std::tm universal = *std::gmtime(&moment);
    // The universal time read as a local time is the moment shifted by the
    // offset; with the local daylight saving flag, mktime undoes no shift
    // of its own.
    universal.tm_isdst = local.tm_isdst;
    const long offset = static_cast<long>(std::difftime(moment, std::mktime(&universal)));
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    const long minutes = (offset < 0 ? -offset : offset) / 60;
    return formatText("%s%c%02ld:%02ld", text, offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
}
