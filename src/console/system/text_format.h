// printf into a string, for the console and every output file.
#ifndef BRAVOLIN_CONSOLE_SYSTEM_TEXT_FORMAT_H
#define BRAVOLIN_CONSOLE_SYSTEM_TEXT_FORMAT_H

#include <cstdarg>
#include <ctime>
#include <string>

#if defined(__GNUC__)
#define BRAVOLIN_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define BRAVOLIN_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

std::string formatText(const char* format, ...) BRAVOLIN_PRINTF_FORMAT(1, 2);
std::string vformatText(const char* format, std::va_list arguments);

// The moment as ISO 8601 local time with its offset from UTC:
// "2026-12-09T14:05:09+01:00".
std::string isoLocalTime(std::time_t moment);

#endif
