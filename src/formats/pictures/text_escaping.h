// Making file names and other outside text safe to put into SVG pictures and
// the HTML page: valid UTF-8, escaped markup characters, encoded link targets.
#ifndef BRAVOLIN_FORMATS_PICTURES_TEXT_ESCAPING_H
#define BRAVOLIN_FORMATS_PICTURES_TEXT_ESCAPING_H

#include <string>
#include <string_view>

// The bytes as valid UTF-8: every byte that does not belong to a well-formed
// sequence (stray continuation bytes, truncated or overlong sequences,
// surrogates, code points above U+10FFFF) becomes U+FFFD on its own.
std::string validUtf8(std::string_view bytes);

// Text for XML or HTML content and attribute values: made valid UTF-8, with
// & < > " ' written as character references and the characters XML 1.0 does
// not allow at all (controls other than tab, line feed and carriage return,
// U+FFFE, U+FFFF) left out.
std::string escapeXml(std::string_view text);

// A file name as a relative link target: every byte other than the unreserved
// A-Z a-z 0-9 - . _ ~ written as %XX with uppercase hex digits, so that no
// name can be read as a path, a query or a scheme.
std::string percentEncode(std::string_view name);

#endif
