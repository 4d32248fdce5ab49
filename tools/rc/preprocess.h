// Reading a resource script: comments, #define / #include / #ifdef, and the
// tokens of what remains, with macros expanded.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace rc {

// A fault in a script, reported as "file:line: message".
struct ScriptError : std::runtime_error {
  ScriptError(std::string file_, int line_, const std::string& message)
      : std::runtime_error(message), file(std::move(file_)), line(line_) {}
  std::string file;
  int line;
};

struct Token {
  enum class Kind { identifier, number, string, punct, end };
  Kind kind = Kind::end;
  std::string text;         // identifier or punctuation as written; string: code page 1250 bytes
  std::int64_t value = 0;   // number
  const std::string* file = nullptr;
  int line = 0;
  bool is(const char* p) const { return (kind == Kind::punct || kind == Kind::identifier) && text == p; }
};

struct Script {
  std::vector<Token> tokens;        // ends with one Kind::end token
  std::vector<std::string> files;   // the script, its headers and (later) named data files
};

// Reads and preprocesses the script at path. Throws ScriptError.
// The token file pointers point into an internal list that lives as long
// as the program.
Script read_script(const std::string& path);

// Converts UTF-8 to code page 1250, or throws ScriptError for a character
// the code page lacks or a malformed sequence.
std::string to_cp1250(const std::string& utf8, const std::string& file, int line);

}  // namespace rc
