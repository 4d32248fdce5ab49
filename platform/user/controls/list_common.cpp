#include "platform/user/controls/list_common.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

namespace plat::ctl {

int insert_entry(Entries& e, const char* s, int at, bool sorted) {
  if (e.count() >= kMaxListEntries) return -1;
  ListEntry entry;
  entry.text = s ? s : "";
  if (entry.text.size() > static_cast<std::size_t>(kMaxControlText)) entry.text.resize(kMaxControlText);
  const int n = e.count();
  if (at < 0 || at > n) at = n;
  if (at == n && sorted) {
    at = 0;
    while (at < n && !entry_less(entry.text, e.text(at))) ++at;
  }
  e.items.insert(e.items.begin() + at, entry);
  if (e.cur >= at) ++e.cur;
  return at;
}

bool delete_entry(Entries& e, int at) {
  if (!e.has(at)) return false;
  e.items.erase(e.items.begin() + at);
  if (e.cur == at) e.cur = -1;
  else if (e.cur > at) --e.cur;
  return true;
}

int copy_entry_text(const Entries& e, int at, char* out) {
  if (!e.has(at) || !out) return -1;
  const std::string& t = e.text(at);
  std::memcpy(out, t.c_str(), t.size() + 1);
  return static_cast<int>(t.size());
}

int row_height(HWND h, HFONT font) {
  HDC dc = GetDC(h);
  HGDIOBJ old = SelectObject(dc, font_or_default(font));
  int r = line_height(dc);
  SelectObject(dc, old);
  ReleaseDC(h, dc);
  return std::max(1, r);
}

void draw_list(HDC dc, const RECT& area, const std::vector<ListEntry>& items, int first, int row,
               const std::vector<bool>& highlighted, int caret, bool focused, bool enabled) {
  int y = area.top;
  COLORREF normal = enabled ? GetTextColor(dc) : sys_colour(COLOR_GRAYTEXT);
  for (int i = std::max(0, first); i < static_cast<int>(items.size()) && y < area.bottom; ++i, y += row) {
    RECT r{area.left, y, area.right, y + row};
    bool hi = i < static_cast<int>(highlighted.size()) && highlighted[static_cast<std::size_t>(i)];
    if (hi) fill(dc, r, sys_colour(COLOR_HIGHLIGHT));
    SetTextColor(dc, hi ? sys_colour(COLOR_HIGHLIGHTTEXT) : normal);
    RECT t = r;
    t.left += 2;
    // Tabs in entries become blanks' worth of room: columns line up by the
    // text before them only roughly, which is enough for the lists here.
    std::string s = items[static_cast<std::size_t>(i)].text;
    std::replace(s.begin(), s.end(), '\t', ' ');
    draw_text(dc, t, s, kVCenter);
    if (focused && i == caret) draw_focus_rect(dc, r);
  }
  SetTextColor(dc, normal);
}

int find_entry(const std::vector<ListEntry>& items, int start, const std::string& s, bool exact) {
  int n = static_cast<int>(items.size());
  if (n == 0) return -1;
  if (start < -1 || start >= n) start = -1;
  for (int k = 1; k <= n; ++k) {
    int i = (start + k) % n;
    const std::string& t = items[static_cast<std::size_t>(i)].text;
    bool ok = exact ? strcasecmp(t.c_str(), s.c_str()) == 0
                    : t.size() >= s.size() && strncasecmp(t.c_str(), s.c_str(), s.size()) == 0;
    if (ok) return i;
  }
  return -1;
}

bool entry_less(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; }

}  // namespace plat::ctl
