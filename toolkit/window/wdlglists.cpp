// Combo boxes and list boxes of a dialog: the selection and its text,
// appending and selecting entries, multiple-selection lists and the kind
// of a list.
#include <string>

#include "platform/user/controls/controls.h"
#include "platform/user/user.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"

namespace tsd {

namespace {

// Ranges of entries selected in one request: the request holds 16-bit
// entry numbers.
constexpr int kRangeLimit = 65536;

bool islist(plat::HWND c) { return c && yyfieldkind(c) == kFieldList; }

bool multiple(plat::HWND c) {
  const auto st = static_cast<plat::DWORD>(plat::GetWindowLongPtrA(c, plat::GWL_STYLE));
  return (st & (plat::LBS_MULTIPLESEL | plat::LBS_EXTENDEDSEL)) != 0;
}

std::string entrytext(plat::HWND c, bool combo, plat::LRESULT i) {
  using namespace plat;
  LRESULT n = SendMessageA(c, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n < 0) return std::string();
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  SendMessageA(c, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(s.find('\0'));
  return s;
}

void give(const std::string& s, std::span<char> text, int& length) {
  assign(text, s);
  length = static_cast<int>(s.size());
}

// The list box or combo box `field`; -1 when it is not one (or missing).
plat::HWND listof(int& field) { return yyfieldof(field, {kFieldList}); }
plat::HWND comboof(int& field) { return yyfieldof(field, {kFieldCombo}); }
plat::HWND listorcomboof(int& field) { return yyfieldof(field, {kFieldList, kFieldCombo}); }
plat::HWND listof(int& field, bool list) { return list ? listof(field) : comboof(field); }

}  // namespace

void yyfieldgetcombo(int& field, int& index, std::span<char> text, int& length) {
  using namespace plat;
  HWND c = comboof(field);
  if (!c) return;
  const LRESULT sel = SendMessageA(c, CB_GETCURSEL, 0, 0);
  if (sel >= 0) {
    index = static_cast<int>(sel) + 1;
    give(entrytext(c, true, sel), text, length);
    return;
  }
  // Nothing selected: the typed text, and the entry equal to it.
  const std::string typed = yyfieldtext(c);
  give(typed, text, length);
  if (typed.empty()) {
    index = kNoSelection;
    return;
  }
  const LRESULT at = SendMessageA(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(typed.c_str()));
  index = at >= 0 ? static_cast<int>(at) + 1 : 0;
}

void yyfieldputcombo(int& field, std::string_view text) {
  using namespace plat;
  HWND c = comboof(field);
  if (!c) return;
  const std::string s(trimmed(text));
  if (SendMessageA(c, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str())) >= 0) return;
  SendMessageA(c, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetWindowTextA(c, s.c_str());
}

void yyfieldgetlist(int& field, int& index, std::span<char> text, int& length) {
  using namespace plat;
  HWND c = listof(field);
  if (!c) return;
  LRESULT sel = SendMessageA(c, LB_GETCURSEL, 0, 0);
  if (multiple(c)) {
    // The first selected entry of a multiple-selection list.
    sel = -1;
    const LRESULT n = SendMessageA(c, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n && sel < 0; ++i)
      if (SendMessageA(c, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) sel = i;
  }
  if (sel < 0) {
    index = kNoSelection;
    give(std::string(), text, length);
    return;
  }
  index = static_cast<int>(sel) + 1;
  give(entrytext(c, false, sel), text, length);
}

void yyfieldputmenu(int kind, int& field, std::string_view text) {
  using namespace plat;
  const bool list = kind == 1;
  HWND c = listof(field, list);
  if (!c) return;
  const std::string s(trimmed(text));
  if (SendMessageA(c, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str())) < 0)
    field = kFieldFailed;
}

void yyfieldputoption(int kind, int& field, int index) {
  using namespace plat;
  const bool list = kind == 1;
  HWND c = listof(field, list);
  if (!c) return;
  const LRESULT n = SendMessageA(c, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
  if (index < 0 || index >= n) {
    field = kFieldFailed;
    return;
  }
  if (list && multiple(c)) SendMessageA(c, LB_SETSEL, TRUE, index);
  else SendMessageA(c, list ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void yygetoptioncount(int& field, int& count) {
  using namespace plat;
  HWND c = listorcomboof(field);
  if (c) count = static_cast<int>(SendMessageA(c, islist(c) ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
}

void yyfieldgetopt(int& field, int entry, int& state) {
  using namespace plat;
  HWND c = listof(field);
  if (!c) return;
  const LRESULT r = SendMessageA(c, LB_GETSEL, static_cast<WPARAM>(entry - 1), 0);
  if (r < 0) {
    field = kFieldFailed;
    return;
  }
  state = r > 0 ? 1 : 0;
}

void yyfieldputopt(int& field, int entry, int state) {
  using namespace plat;
  HWND c = listof(field);
  if (!c) return;
  const LRESULT n = SendMessageA(c, LB_GETCOUNT, 0, 0);
  if (!multiple(c) || entry < 1 || entry > n) {
    field = kFieldFailed;
    return;
  }
  SendMessageA(c, LB_SETSEL, state == 1 ? TRUE : FALSE, entry - 1);
}

void yyfieldputopt2(int& field, int first, int last, int state) {
  using namespace plat;
  HWND c = listof(field);
  if (!c) return;
  const LRESULT n = SendMessageA(c, LB_GETCOUNT, 0, 0);
  if (first > last) std::swap(first, last);
  if (!multiple(c) || first < 1 || last > n) {
    field = kFieldFailed;
    return;
  }
  const BOOL select = state == 1 ? TRUE : FALSE;
  if (last - 1 < kRangeLimit) {
    SendMessageA(c, LB_SELITEMRANGE, select, MAKELPARAM(first - 1, last - 1));
    return;
  }
  for (int i = first; i <= last; ++i) SendMessageA(c, LB_SETSEL, select, i - 1);
}

void yygetmenutype(int& field, int& kind) {
  using namespace plat;
  HWND c = listorcomboof(field);
  if (!c) return;
  if (islist(c)) {
    kind = multiple(c) ? 4 : 1;
    return;
  }
  const auto st = static_cast<DWORD>(GetWindowLongPtrA(c, GWL_STYLE));
  kind = (st & CBS_TYPEMASK) == CBS_DROPDOWNLIST ? 2 : 3;
}

}  // namespace tsd
