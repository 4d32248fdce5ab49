// Entries of list boxes and combo boxes, and how a column of them is drawn.
#pragma once

#include <string>
#include <vector>

#include "platform/user/controls/control_common.h"
#include "platform/user/controls/scroll_bar.h"

namespace plat::ctl {

struct ListEntry {
  std::string text;
  LPARAM data = 0;
  bool selected = false;  // multiple-selection lists
};

// ---- The entries and the selected one ----------------------------------
// What LISTBOX and COMBOBOX keep alike: entries (at most kMaxListEntries,
// each cut to kMaxControlText) and `cur`, the selected entry (-1: none),
// which follows the entries it stands on as others come and go.
struct Entries {
  std::vector<ListEntry> items;
  int cur = -1;
  int count() const { return static_cast<int>(items.size()); }
  bool has(int i) const { return i >= 0 && i < count(); }
  const std::string& text(int i) const { return items[static_cast<std::size_t>(i)].text; }
};
// Insert `s` at `at` (out of range: at the end, or in its sorted place
// when `sorted`); the index it got, or -1 when the list is full.
int insert_entry(Entries& e, const char* s, int at, bool sorted);
// Remove entry `at`; false when there is none.
bool delete_entry(Entries& e, int at);
// Entry `at`'s text copied into `out` with its terminator (the caller's
// buffer is large enough, as the length message told it); its length, or
// -1 when there is no such entry or no buffer.
int copy_entry_text(const Entries& e, int at, char* out);

// Height of one row in the control's font.
int row_height(HWND h, HFONT font);

// Entries first.. drawn top-down in rows of `row` pixels; `is_selected`
// tells which are highlighted; `caret` gets the focus rectangle when
// `focused`.
void draw_list(HDC dc, const RECT& area, const std::vector<ListEntry>& items, int first, int row,
               const std::vector<bool>& highlighted, int caret, bool focused, bool enabled);

// Index of the first entry whose text starts with (or equals) `s`, case
// ignored, searching after `start` and wrapping; -1 when none.
int find_entry(const std::vector<ListEntry>& items, int start, const std::string& s, bool exact);

// Case-insensitive comparison for sorted lists.
bool entry_less(const std::string& a, const std::string& b);

}  // namespace plat::ctl
