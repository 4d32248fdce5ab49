// Code page 1250 <-> UTF-8.
//
// Every text inside the programs and the toolkit is code page 1250, one byte
// a character, so lengths and positions count as the programs expect. Texts
// are converted only where they cross to the host: glyph lookup, keyboard
// input, file names, and bytes written to files and standard output.
// Source files are UTF-8, so a Polish literal is written as
// cp1250_from_utf8("Błąd") where it is needed in the code page.
#pragma once

#include <string>
#include <string_view>

namespace text {

// Code point of one code-page byte (U+FFFD for the five undefined bytes).
char32_t cp1250_to_unicode(unsigned char b);
// Code-page byte of a code point, or -1 when the code page has none.
int unicode_to_cp1250(char32_t c);

// A byte the code page leaves undefined, standing in a text for a character
// the code page cannot show (typed by the user, or in a name read from the
// disk), so that a name holding one can be told from a name with a '?'.
inline constexpr char kNoCp1250 = '\x98';

// The UTF-8 byte-order mark that editors on some systems put at the start
// of a text file. It is no part of the file's text: the readers of data and
// parameter files skip it (runtime/freeread.h).
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string utf8_from_cp1250(std::string_view cp);
// Characters the code page cannot show, and malformed sequences, become
// `missing` ('?' unless the caller needs to tell them apart: kNoCp1250).
std::string cp1250_from_utf8(std::string_view u8, char missing = '?');

}  // namespace text

namespace tsd {

// The programs' short form of cp1250_from_utf8: a Polish literal of theirs
// is written cp("Błąd").
inline std::string cp(std::string_view utf8) { return text::cp1250_from_utf8(utf8); }

}  // namespace tsd
