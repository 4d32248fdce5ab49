// The toolkit's string routines.
//
// Texts of the toolkit are fixed-length and blank-padded, one byte a
// character in code page 1250; a text's declared length travels with it.
// Representation, used by the whole toolkit:
//   - storage is a std::string whose size() is the declared length (make one
//     with blank_text or padded), or a char array inside a global record;
//   - a routine that only reads a text takes std::string_view over the whole
//     declared length (text_of gives one for a char array, never strlen);
//   - a routine that writes a text takes std::span<char> over the whole
//     declared length and never changes that length: it assigns as a fixed
//     field does, cutting what does not fit and padding with blanks.
// Positions are 1-based, as the routines' results; 0 means none.
// NUL counts as blank where the routines look for significant characters.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tsd {

// ---- Representation helpers ----
inline std::string blank_text(std::size_t length) { return std::string(length, ' '); }
// s cut to, or blank-padded to, length.
std::string padded(std::string_view s, std::size_t length);
template <std::size_t N>
std::string_view text_of(const char (&a)[N]) {
  return std::string_view(a, N);
}
// Fixed-field assignment: src into dst, cut or blank-padded.
void assign(std::span<char> dst, std::string_view src);
// The text up to its last significant character.
std::string_view trimmed(std::string_view text);

// ---- The routines ----

// Value of the first blank-delimited word; 0 and error 10 (blank), 12 (not
// a digit) or 4 (beyond 32 bits) on failure.
void istringtointeger(std::string_view text, int& value);
// value written with a format text of one I descriptor ("(I3)") into text;
// "**********" (cut or padded) and error 18 when it does not fit or the
// format is not valid.
void integertostring(int value, std::span<char> text, std::string_view format);
// Position of the last character that is neither blank nor NUL; 0 if none.
int iactuallength(std::string_view text);
// Position of the first character that is neither blank nor NUL; 0 if none.
int ilocatechar(std::string_view text);
// First and last position of the first blank-delimited word; both 0 when
// the text is blank.
void ilocatestring(std::string_view text, int& first, int& last);
// Moves the significant part: mode containing "L"/"l" left, else "R"/"r"
// right, else centred.
void ijustifystring(std::span<char> text, std::string_view mode);
void ilowercase(std::span<char> text);
void iuppercase(std::span<char> text);
// The environment variable named by the first word of name, blank-padded
// in value; blank when unset, empty or longer than value.
void iosvariable(std::string_view name, std::span<char> value);
// True when letter occurs in text, as passed or in lower case.
bool xxopt(std::string_view text, char letter);
// Splits path into its directory (left in path) and its file name with
// extension (in name), at the last "/".
void yysplitp(std::span<char> path, std::span<char> name);

}  // namespace tsd
