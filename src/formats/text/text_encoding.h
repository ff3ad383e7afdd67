// UTF-8 as the program reads it, and text safe to print on a console. File
// names and every name read from a file are UTF-8 everywhere inside the
// program and in every output file.
#ifndef BRAVOLIN_FORMATS_TEXT_TEXT_ENCODING_H
#define BRAVOLIN_FORMATS_TEXT_TEXT_ENCODING_H

#include <cstddef>
#include <string>
#include <string_view>

// U+FFFD, which stands for bytes that are not valid UTF-8.
constexpr char32_t kReplacementCodePoint = 0xFFFD;

// The code point that starts at text[at], and how many bytes it takes; an
// invalid sequence (overlong, a surrogate, beyond U+10FFFF or cut short) is
// one byte long and gives kReplacementCodePoint.
char32_t decodeUtf8(std::string_view text, std::size_t at, std::size_t* length);

// Text quoted from a file's content (a cell, a name) as a console message
// shows it: control characters written as escapes (\0, \t, \n, \r, \x1b,
// and \u0085 for the C1 controls), as is every byte that is not UTF-8
// (\xff), so that no file can move the cursor, recolour or clear the
// terminal; cut after 40 code points with "...". Other text is unchanged.
std::string printableText(std::string_view text);

// A file name as console messages give it: escaped as printableText, never
// cut (the names of a batch often share long beginnings).
std::string printableFileName(std::string_view name);

#endif
