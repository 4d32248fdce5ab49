// Comments, preprocessor directives and tokens of a resource script.
#include "preprocess.h"

#include <cctype>
#include <deque>
#include <fstream>
#include <sstream>

#include "text/cp1250.h"

namespace rc {

namespace {

constexpr int kMaxIncludeDepth = 16;
constexpr int kMaxExpansionDepth = 32;

// Names of the files read, kept for the tokens' whole life.
std::deque<std::string>& file_names() {
  static std::deque<std::string> names;
  return names;
}

const std::string* intern(const std::string& name) {
  for (const auto& n : file_names())
    if (n == name) return &n;
  file_names().push_back(name);
  return &file_names().back();
}

std::string directory_of(const std::string& path) {
  auto p = path.rfind('/');
  return p == std::string::npos ? std::string(".") : path.substr(0, p == 0 ? 1 : p);
}

// Replaces comments by blanks, keeping line ends and string literals.
std::string strip_comments(const std::string& s, const std::string& file) {
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  int line = 1;
  while (i < s.size()) {
    char c = s[i];
    if (c == '"') {
      out += c;
      ++i;
      while (i < s.size() && s[i] != '\n') {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] != '\n') {
          out += s[i];
          out += s[i + 1];
          i += 2;
          continue;
        }
        out += s[i];
        if (s[i] == '"') {
          if (i + 1 < s.size() && s[i + 1] == '"') {  // "" inside a string
            out += s[i + 1];
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        ++i;
      }
      continue;
    }
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      while (i < s.size() && s[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      int start = line;
      i += 2;
      out += "  ";
      while (i < s.size() && !(s[i] == '*' && i + 1 < s.size() && s[i + 1] == '/')) {
        if (s[i] == '\n') {
          ++line;
          out += '\n';
        } else {
          out += ' ';
        }
        ++i;
      }
      if (i >= s.size()) throw ScriptError(file, start, "unterminated comment");
      i += 2;
      out += "  ";
      continue;
    }
    if (c == '\n') ++line;
    out += c;
    ++i;
  }
  return out;
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Tokens of one line (no directives).
std::vector<Token> tokenize(const std::string& s, const std::string* file, int line) {
  std::vector<Token> out;
  std::size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++i;
      continue;
    }
    Token t;
    t.file = file;
    t.line = line;
    if (std::isalpha(c) || c == '_') {
      std::size_t j = i;
      while (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_')) ++j;
      t.kind = Token::Kind::identifier;
      t.text = s.substr(i, j - i);
      i = j;
    } else if (std::isdigit(c)) {
      std::size_t j = i;
      std::uint64_t v = 0;
      bool hex = c == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X');
      if (hex) {
        j += 2;
        if (j >= s.size() || hex_digit(s[j]) < 0) throw ScriptError(*file, line, "malformed number");
        while (j < s.size() && hex_digit(s[j]) >= 0) {
          v = v * 16 + static_cast<unsigned>(hex_digit(s[j++]));
          if (v > 0xffffffffull) throw ScriptError(*file, line, "number too large");
        }
      } else {
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
          v = v * 10 + static_cast<unsigned>(s[j++] - '0');
          if (v > 0xffffffffull) throw ScriptError(*file, line, "number too large");
        }
      }
      while (j < s.size() && (s[j] == 'L' || s[j] == 'l' || s[j] == 'U' || s[j] == 'u')) ++j;
      if (j < s.size() && (std::isalnum(static_cast<unsigned char>(s[j])) || s[j] == '_'))
        throw ScriptError(*file, line, "malformed number '" + s.substr(i, j + 1 - i) + "'");
      t.kind = Token::Kind::number;
      t.value = static_cast<std::int64_t>(v);
      t.text = s.substr(i, j - i);
      i = j;
    } else if (c == '"') {
      // Text runs are UTF-8 and converted; a \x byte is a code-page byte
      // already and is taken as it is.
      std::string cp;
      std::string run;
      ++i;
      bool closed = false;
      while (i < s.size()) {
        char d = s[i];
        if (d == '"') {
          if (i + 1 < s.size() && s[i + 1] == '"') {
            run += '"';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        if (d == '\\') {
          if (i + 1 >= s.size()) break;
          char e = s[i + 1];
          i += 2;
          switch (e) {
            case 'n': run += '\n'; break;
            case 't': run += '\t'; break;
            case 'r': run += '\r'; break;
            case 'a': run += '\x08'; break;  // right-aligns the rest of a menu text
            case '\\': run += '\\'; break;
            case '"': run += '"'; break;
            case '\'': run += '\''; break;
            case '0': run += '\0'; break;
            case 'x': {
              int h1 = i < s.size() ? hex_digit(s[i]) : -1;
              int h2 = i + 1 < s.size() ? hex_digit(s[i + 1]) : -1;
              if (h1 < 0 || h2 < 0) throw ScriptError(*file, line, "\\x needs two hex digits");
              cp += to_cp1250(run, *file, line);
              run.clear();
              cp += static_cast<char>(h1 * 16 + h2);
              i += 2;
              break;
            }
            default:
              throw ScriptError(*file, line, std::string("unknown escape \\") + e);
          }
          continue;
        }
        run += d;
        ++i;
      }
      if (!closed) throw ScriptError(*file, line, "unterminated string");
      cp += to_cp1250(run, *file, line);
      t.kind = Token::Kind::string;
      t.text = cp;
    } else if (std::string(",|+-~()&*/{}").find(static_cast<char>(c)) != std::string::npos) {
      t.kind = Token::Kind::punct;
      t.text = std::string(1, static_cast<char>(c));
      ++i;
    } else {
      throw ScriptError(*file, line, std::string("unexpected character '") + static_cast<char>(c) + "'");
    }
    out.push_back(std::move(t));
  }
  return out;
}

struct Macro {
  std::vector<Token> body;
};

struct Preprocessor {
  std::map<std::string, Macro> macros;
  Script script;
  int depth = 0;

  void expand(const Token& t, std::vector<Token>& out, int level, std::vector<std::string>& active) {
    if (t.kind == Token::Kind::identifier) {
      auto m = macros.find(t.text);
      bool recursive = false;
      for (const auto& a : active) recursive = recursive || a == t.text;
      if (m != macros.end() && !recursive) {
        if (level > kMaxExpansionDepth) throw ScriptError(*t.file, t.line, "macros nest too deep");
        active.push_back(t.text);
        for (Token b : m->second.body) {
          b.file = t.file;
          b.line = t.line;
          expand(b, out, level + 1, active);
        }
        active.pop_back();
        return;
      }
    }
    out.push_back(t);
  }

  void read_file(const std::string& path, const std::string* from_file, int from_line) {
    if (++depth > kMaxIncludeDepth) throw ScriptError(*from_file, from_line, "includes nest too deep");
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      if (from_file) throw ScriptError(*from_file, from_line, "cannot open '" + path + "'");
      throw ScriptError(path, 0, "cannot open the script");
    }
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string* file = intern(path);
    script.files.push_back(path);
    std::string body = strip_comments(ss.str(), path);
    std::vector<bool> active_stack;  // one entry per open #if
    std::vector<bool> else_seen;
    auto active = [&]() {
      for (bool b : active_stack)
        if (!b) return false;
      return true;
    };
    std::istringstream lines(body);
    std::string line_text;
    int line = 0;
    while (std::getline(lines, line_text)) {
      ++line;
      std::size_t p = line_text.find_first_not_of(" \t\r");
      if (p != std::string::npos && line_text[p] == '#') {
        std::string rest = line_text.substr(p + 1);
        std::size_t a = rest.find_first_not_of(" \t");
        std::size_t b = a == std::string::npos ? a : rest.find_first_of(" \t\r", a);
        std::string word = a == std::string::npos ? "" : rest.substr(a, b - a);
        std::string arg = b == std::string::npos ? "" : rest.substr(b);
        auto args = [&]() { return tokenize(arg, file, line); };
        if (word == "ifdef" || word == "ifndef") {
          auto t = args();
          if (t.size() != 1 || t[0].kind != Token::Kind::identifier)
            throw ScriptError(path, line, "#" + word + " needs one name");
          bool def = macros.count(t[0].text) != 0;
          active_stack.push_back(word == "ifdef" ? def : !def);
          else_seen.push_back(false);
        } else if (word == "else") {
          if (active_stack.empty() || else_seen.back()) throw ScriptError(path, line, "#else without #if");
          active_stack.back() = !active_stack.back();
          else_seen.back() = true;
        } else if (word == "endif") {
          if (active_stack.empty()) throw ScriptError(path, line, "#endif without #if");
          active_stack.pop_back();
          else_seen.pop_back();
        } else if (!active()) {
          // skipped
        } else if (word == "define") {
          auto t = args();
          if (t.empty() || t[0].kind != Token::Kind::identifier)
            throw ScriptError(path, line, "#define needs a name");
          std::size_t after = arg.find(t[0].text) + t[0].text.size();
          if (after < arg.size() && arg[after] == '(')
            throw ScriptError(path, line, "macros with arguments are not supported");
          Macro m;
          m.body.assign(t.begin() + 1, t.end());
          macros[t[0].text] = m;
        } else if (word == "undef") {
          auto t = args();
          if (t.size() != 1 || t[0].kind != Token::Kind::identifier)
            throw ScriptError(path, line, "#undef needs one name");
          macros.erase(t[0].text);
        } else if (word == "include") {
          std::size_t q = arg.find_first_not_of(" \t");
          if (q != std::string::npos && arg[q] == '<') {
            // System headers: the names they would give are built in.
            continue;
          }
          auto t = args();
          if (t.size() != 1 || t[0].kind != Token::Kind::string)
            throw ScriptError(path, line, "#include needs a quoted file name");
          std::string name = text::utf8_from_cp1250(t[0].text);
          std::string full = !name.empty() && name[0] == '/' ? name : directory_of(path) + "/" + name;
          read_file(full, file, line);
        } else if (word == "pragma") {
          // "#pragma once" and code-page pragmas: nothing to do.
        } else if (word == "error") {
          throw ScriptError(path, line, "#error" + arg);
        } else {
          throw ScriptError(path, line, "unsupported directive #" + word);
        }
        continue;
      }
      if (!active()) continue;
      std::vector<std::string> guard;
      for (const Token& t : tokenize(line_text, file, line)) expand(t, script.tokens, 0, guard);
    }
    if (!active_stack.empty()) throw ScriptError(path, line, "#if without #endif");
    --depth;
  }
};

// One code point from UTF-8 at s[i]; -1 when malformed.
long decode_utf8(const std::string& s, std::size_t& i) {
  auto b = static_cast<unsigned char>(s[i]);
  int n = b < 0x80 ? 0 : (b & 0xe0) == 0xc0 ? 1 : (b & 0xf0) == 0xe0 ? 2 : (b & 0xf8) == 0xf0 ? 3 : -1;
  if (n < 0) return -1;
  long cp = n == 0 ? b : n == 1 ? (b & 0x1f) : n == 2 ? (b & 0x0f) : (b & 0x07);
  for (int k = 1; k <= n; ++k) {
    if (i + static_cast<std::size_t>(k) >= s.size()) return -1;
    auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((c & 0xc0) != 0x80) return -1;
    cp = (cp << 6) | (c & 0x3f);
  }
  static const long min_of[] = {0, 0x80, 0x800, 0x10000};
  if (cp < min_of[n] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return -1;
  i += static_cast<std::size_t>(n) + 1;
  return cp;
}

}  // namespace

std::string to_cp1250(const std::string& utf8, const std::string& file, int line) {
  std::string out;
  std::size_t i = 0;
  while (i < utf8.size()) {
    long cp = decode_utf8(utf8, i);
    if (cp < 0) throw ScriptError(file, line, "malformed UTF-8 text");
    int b = text::unicode_to_cp1250(static_cast<char32_t>(cp));
    if (b < 0) {
      std::ostringstream m;
      m << "character U+" << std::hex << std::uppercase << cp << " is not in code page 1250";
      throw ScriptError(file, line, m.str());
    }
    out += static_cast<char>(b);
  }
  return out;
}

Script read_script(const std::string& path) {
  Preprocessor pp;
  pp.read_file(path, nullptr, 0);
  Token end;
  end.kind = Token::Kind::end;
  end.file = intern(path);
  end.line = pp.script.tokens.empty() ? 1 : pp.script.tokens.back().line;
  if (!pp.script.tokens.empty()) end.file = pp.script.tokens.back().file;
  pp.script.tokens.push_back(end);
  return pp.script;
}

}  // namespace rc
