#include "tools/chrgen/hershey.h"

#include <fstream>
#include <sstream>

namespace chrgen {
namespace {

// Hershey's coordinates are letters counted from "R" (0).
int coord(char c) { return c - 'R'; }

}  // namespace

std::vector<Glyph> read_jhf(const std::string& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot open " + path;
    return {};
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  std::vector<Glyph> glyphs;
  for (std::size_t li = 0; li < lines.size();) {
    const std::string& head = lines[li++];
    if (head.size() < 10) {
      error = path + ": short glyph line " + std::to_string(li);
      return {};
    }
    int pairs = 0;
    std::istringstream count(head.substr(5, 3));
    if (!(count >> pairs) || pairs < 1) {
      error = path + ": bad vertex count on line " + std::to_string(li);
      return {};
    }
    std::string body = head.substr(8);
    while (body.size() < 2 * static_cast<std::size_t>(pairs) && li < lines.size()) {
      body += lines[li++];
    }
    if (body.size() < 2 * static_cast<std::size_t>(pairs)) {
      error = path + ": glyph cut short near line " + std::to_string(li);
      return {};
    }
    Glyph g;
    g.left = coord(body[0]);
    g.right = coord(body[1]);
    Stroke s;
    for (int p = 1; p < pairs; ++p) {
      const char cx = body[2 * static_cast<std::size_t>(p)];
      const char cy = body[2 * static_cast<std::size_t>(p) + 1];
      if (cx == ' ' && cy == 'R') {  // pen up
        if (!s.empty()) g.strokes.push_back(s);
        s.clear();
        continue;
      }
      s.push_back(Point{coord(cx), coord(cy)});
    }
    if (!s.empty()) g.strokes.push_back(s);
    glyphs.push_back(g);
  }
  return glyphs;
}

}  // namespace chrgen
