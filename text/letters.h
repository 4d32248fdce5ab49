// Letters of code page 1250 texts: ASCII case, the plain letter of a letter
// with a diacritic, and blanks cut from the ends of a text.
#pragma once

#include <string>
#include <string_view>

namespace text {

// a..z as A..Z (and back); every other byte, Polish letters included, as
// it is. Used where a name is compared without regard to case: resource
// names, menu keys, environment names.
constexpr char asciiupper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char asciilower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string asciiupper(std::string_view s);
std::string asciilower(std::string_view s);

// The text with every letter that carries a diacritic replaced by its plain
// letter ("Błąd odczytu" -> "Blad odczytu", "Łódź" -> "Lodz"), ASCII kept and
// every other byte above 127 written '?': what a printer without the code
// page can print. One byte stays one byte, so the columns stay where they are.
std::string plainletters(std::string_view cp);

// The text up to its last character that is neither blank nor NUL.
std::string_view trimmed(std::string_view s);
// The text without the blanks before and after it.
std::string_view stripped(std::string_view s);

}  // namespace text
