// UTF-8 and UTF-16. File names are UTF-8 everywhere inside the program and
// in every output file; Windows lists, opens and shows them in UTF-16, so
// they are converted at that border only.
#ifndef BRAVOLIN_CONSOLE_SYSTEM_UTF16_H
#define BRAVOLIN_CONSOLE_SYSTEM_UTF16_H

#include <string>
#include <string_view>

// Bytes that are not valid UTF-8 become U+FFFD each.
std::u16string utf16FromUtf8(std::string_view utf8);

// An unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view utf16);

#endif
