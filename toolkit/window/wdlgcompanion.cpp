// Reading a dialog companion record: plain text in lines ended by a line
// feed, sections "[Checks]", "[Menus]" and "[Lengths]" that set check
// states, list contents and text limits when the dialog is loaded. The
// other sections, and lines before any section, are read past.
#include <cstddef>

#include "toolkit/window/wdialog.h"

namespace tsd {

namespace {

// Longest list entry taken from a record.
constexpr std::size_t kMaxEntry = 1024;

enum class Section { none, ranges, menus, checks, tabs, grids, colours, trackbars, lengths };

struct SectionName {
  const char* name;
  Section section;
};

constexpr SectionName kSections[] = {
    {"[Ranges]", Section::ranges},   {"[Menus]", Section::menus},         {"[Checks]", Section::checks},
    {"[Tabs]", Section::tabs},       {"[Grids]", Section::grids},         {"[Colours]", Section::colours},
    {"[Trackbars]", Section::trackbars}, {"[Lengths]", Section::lengths}};

// A line that begins with a section name selects it: the comparison
// stops at the end of either text. Only a line that opens with "[" can
// name a section, so an empty line never switches sections.
bool sectionof(std::string_view line, Section& section) {
  if (line.empty() || line[0] != '[') return false;
  for (const SectionName& s : kSections) {
    std::string_view name(s.name);
    std::size_t n = line.size() < name.size() ? line.size() : name.size();
    if (line.substr(0, n) == name.substr(0, n)) {
      section = s.section;
      return true;
    }
  }
  return false;
}

// The next unsigned number from position p: blanks skipped, digits read up
// to the first non-digit (which gives 0 when it comes first).
int number(std::string_view line, std::size_t& p) {
  while (p < line.size() && line[p] == ' ') ++p;
  long long v = 0;
  while (p < line.size() && line[p] >= '0' && line[p] <= '9') {
    if (v < 1000000000LL) v = v * 10 + (line[p] - '0');
    ++p;
  }
  if (v > 2147483647LL) v = 2147483647LL;
  return static_cast<int>(v);
}

std::string_view skipblanks(std::string_view line) {
  std::size_t p = 0;
  while (p < line.size() && line[p] == ' ') ++p;
  return line.substr(p);
}

std::string entrytext(std::string_view line) {
  std::size_t n = line.size();
  while (n > 0 && (line[n - 1] == ' ' || line[n - 1] == '\r')) --n;
  if (n > kMaxEntry) n = kMaxEntry;
  return std::string(line.substr(0, n));
}

class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

Companion yyparsecompanion(std::string_view text) {
  Companion c;
  Lines lines(text);
  Section section = Section::none;
  std::string_view raw;
  while (lines.next(raw)) {
    std::string_view line = skipblanks(raw);
    if (sectionof(line, section)) continue;
    if (line.empty() || line[0] == '\r') continue;
    std::size_t p = 0;
    switch (section) {
      case Section::checks: {
        CompanionCheck k;
        k.field = number(line, p);
        k.state = number(line, p);
        c.checks.push_back(k);
        break;
      }
      case Section::lengths: {
        CompanionLength k;
        k.field = number(line, p);
        k.maximum = number(line, p);
        c.lengths.push_back(k);
        break;
      }
      case Section::menus: {
        CompanionList l;
        l.field = number(line, p);
        int count = number(line, p);
        l.selection = number(line, p);
        std::string_view entry;
        for (int i = 0; i < count && lines.next(entry); ++i) l.entries.push_back(entrytext(skipblanks(entry)));
        c.lists.push_back(std::move(l));
        break;
      }
      default:
        break;
    }
  }
  return c;
}

}  // namespace tsd
