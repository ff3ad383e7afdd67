// printf into a string, for the console, every output file and every text
// the formats library writes.
#ifndef BRAVOLIN_FORMATS_TEXT_TEXT_FORMAT_H
#define BRAVOLIN_FORMATS_TEXT_TEXT_FORMAT_H

#include <cstdarg>
#include <string>

#if defined(__GNUC__)
#define BRAVOLIN_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define BRAVOLIN_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

std::string formatText(const char* format, ...) BRAVOLIN_PRINTF_FORMAT(1, 2);
std::string vformatText(const char* format, std::va_list arguments);

#endif
