// Entries of list boxes and combo boxes, and how a column of them is drawn.
#pragma once

#include <string>
#include <vector>

#include "platform/user/controls/control_common.h"

namespace plat::ctl {

struct ListEntry {
  std::string text;
  LPARAM data = 0;
  bool selected = false;  // multiple-selection lists
};

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
