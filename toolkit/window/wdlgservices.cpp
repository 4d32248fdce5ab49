// Services of the current dialog: its caption, the focus, a dialog
// graphics field as the drawing target, the size of dialog units, the
// dialog manager's questions, and the number reader of numeric fields.
#include <string>

#include "platform/comctl/comctl.h"
#include "platform/gdi/gdi.h"
#include "platform/user/dialog/dialog.h"
#include "platform/user/user.h"
#include "toolkit/graphics/grmapping.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wwindow.h"

namespace tsd {

namespace {

// Powers of ten beyond this give infinity or zero anyway.
constexpr int kMaxExponent = 400;

DialogEntry* currententry() {
  if (wdlg.iDlgCur <= 0 || wdlg.iDlgCur > wdlg.nDialogs || !wdlg.DialogInfo[wdlg.iDlgCur].hwnd) return nullptr;
  return &wdlg.DialogInfo[wdlg.iDlgCur];
}

// The tab control a caption-less child dialog is a page of: its parent,
// or a tab control among its siblings.
plat::HWND tabof(plat::HWND dlg) {
  using namespace plat;
  HWND parent = GetParent(dlg);
  if (!parent) return nullptr;
  if (yyfieldclass(parent) == "SYSTABCONTROL32") return parent;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (c != dlg && yyfieldclass(c) == "SYSTABCONTROL32") return c;
  return nullptr;
}

bool isblank(char c) { return c == ' ' || c == '\t'; }
bool isdigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void yydialogtitle(std::string_view text) {
  using namespace plat;
  DialogEntry* e = currententry();
  if (!e) return;
  const std::string s(trimmed(text));
  const auto st = static_cast<DWORD>(GetWindowLongPtrA(e->hwnd, GWL_STYLE));
  HWND tab = (st & WS_CAPTION) != WS_CAPTION && (st & WS_CHILD) ? tabof(e->hwnd) : nullptr;
  if (!tab) {
    SetWindowTextA(e->hwnd, s.c_str());
    return;
  }
  // A page of a tab control names its tab: the one shown.
  const LRESULT at = SendMessageA(tab, TCM_GETCURSEL, 0, 0);
  if (at < 0) return;
  TCITEMA item;
  item.mask = TCIF_TEXT;
  std::string buffer = s;
  item.pszText = buffer.data();
  SendMessageA(tab, TCM_SETITEMA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
}

void yydialogfocus(int& field) {
  using namespace plat;
  DialogEntry* e = currententry();
  if (!e || !yyfieldof(field)) {
    field = kFieldFailed;
    return;
  }
  if (GetWindowLongPtrA(e->hwnd, GWL_STYLE) & WS_CHILD) {
    SetWindowPos(e->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetActiveWindow(e->hwnd);
  }
  yyfocusfield(e->hwnd, field);
  if (e->field != field) e->prevfield = e->field;
  e->field = field;
}

void yygetdialogdc(int& field, int mode, int& width, int& height) {
  using namespace plat;
  DialogEntry* e = currententry();
  HWND target = e && field == 0 ? e->hwnd : yyfieldof(field);
  if (!target) {
    field = kFieldFailed;
    return;
  }
  if (mode != 1) {
    // Only the field that is the target has a context to give back; the
    // window's own context is the target until the next selection.
    if (wsys.hGraphicsField == target) yyreleasegraphicsfield(target);
    return;
  }
  if (wsys.hGraphicsField) yyreleasegraphicsfield(wsys.hGraphicsField);
  if (wsys.wMemDC) {
    DeleteDC(wsys.wMemDC);
    wsys.wMemDC = nullptr;
  }
  wsys.hGraphicsField = target;
  wsys.wFieldDC = GetDC(target);
  hdc = wsys.wFieldDC;
  yysetupdrawingtarget();
  RECT r;
  GetClientRect(target, &r);
  width = r.right - r.left;
  height = r.bottom - r.top;
  WinWidth = width;
  WinHeight = height;
  wsys.wWinWidth = width;
  wsys.wWinHeight = height;
  quorba01.clientwidth = width;
  quorba01.clientheight = height;
  xxresn();
  // Its repaints and mouse events are reported from now on.
  e->gflag = 1;
  if (field != 0)
    if (FieldRecord* f = yyfieldrecord(target)) f->graphics = 1;
}

void yygetdlgfactor(int& x, int& y) {
  DialogEntry* e = currententry();
  if (!e) return;
  plat::RECT r{0, 0, 4, 8};
  plat::MapDialogRect(e->hwnd, &r);
  x = r.right;
  y = r.bottom;
}

void yywinfodialog(int item, int& value) {
  DialogEntry* e = currententry();
  switch (item) {
    case 1: value = e ? e->field : 0; break;
    case 2: value = e ? e->prevfield : 0; break;
    case 3: value = wdlg.iDlgAct; break;
    default: value = 0; break;
  }
}

double yyAsciiToDouble(std::string_view text, int& complete) {
  std::size_t p = 0;
  const std::size_t n = text.size();
  while (p < n && isblank(text[p])) ++p;
  bool negative = false;
  if (p < n && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  double mantissa = 0.0;
  int decimals = 0;
  bool point = false;
  bool digits = false;
  for (; p < n; ++p) {
    if (isdigit(text[p])) {
      mantissa = mantissa * 10.0 + static_cast<double>(text[p] - '0');
      if (point) ++decimals;
      digits = true;
    } else if (text[p] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  int exponent = 0;
  if (digits && p < n && (text[p] == 'e' || text[p] == 'E' || text[p] == 'd' || text[p] == 'D')) {
    std::size_t q = p + 1;
    bool eneg = false;
    if (q < n && (text[q] == '+' || text[q] == '-')) eneg = text[q++] == '-';
    if (q < n && isdigit(text[q])) {
      for (; q < n && isdigit(text[q]); ++q)
        if (exponent < 100000) exponent = exponent * 10 + (text[q] - '0');
      if (eneg) exponent = -exponent;
      p = q;
    }
  }
  // Trailing blanks belong to a blank-padded text.
  std::size_t end = p;
  while (end < n && isblank(text[end])) ++end;
  complete = digits && end == n ? 1 : 0;
  if (!digits) return 0.0;
  int scale = exponent - decimals;
  if (scale > kMaxExponent) scale = kMaxExponent;
  if (scale < -kMaxExponent) scale = -kMaxExponent;
  double factor = 1.0;
  for (int i = 0; i < (scale < 0 ? -scale : scale); ++i) factor *= 10.0;
  double v = scale < 0 ? mantissa / factor : mantissa * factor;
  return negative ? -v : v;
}

}  // namespace tsd
