// UTF-8 and UTF-16, and text safe to print on a console. File names are
// UTF-8 everywhere inside the program and in every output file; Windows
// lists, opens and shows them in UTF-16, so they are converted at that
// border only.
#ifndef BRAVOLIN_CONSOLE_SYSTEM_TEXT_ENCODING_H
#define BRAVOLIN_CONSOLE_SYSTEM_TEXT_ENCODING_H

#include <string>
#include <string_view>

// Bytes that are not valid UTF-8 become U+FFFD each.
std::u16string utf16FromUtf8(std::string_view utf8);

// An unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::u16string_view utf16);

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
