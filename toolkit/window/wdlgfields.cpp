// The field routines of the current dialog (text, check boxes, radio
// groups) and winfodialog, the program's questions about the last dialog.
#include <string>
#include <vector>

#include "platform/user/dialog/dialog.h"
#include "platform/user/user.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/wwindow.h"

namespace tsd {

namespace {

// The current dialog's window; error 1005 and null when none is current.
plat::HWND currentdialog() {
  if (wdlg.iDlgCur == 0 || !wdlg.DialogInfo[wdlg.iDlgCur].hwnd) {
    xxerror(kErrNoDialog);
    return nullptr;
  }
  return wdlg.DialogInfo[wdlg.iDlgCur].hwnd;
}

bool ischeckbox(plat::HWND c) {
  char cls[16] = {};
  plat::GetClassNameA(c, cls, sizeof cls);
  std::string s(cls);
  if (s != "BUTTON" && s != "Button") return false;
  plat::DWORD t = static_cast<plat::DWORD>(plat::GetWindowLongPtrA(c, plat::GWL_STYLE)) & plat::BS_TYPEMASK;
  return t == plat::BS_CHECKBOX || t == plat::BS_AUTOCHECKBOX || t == plat::BS_3STATE || t == plat::BS_AUTO3STATE;
}

int previousinfo = 0;

}  // namespace

void wdialogputstring(int field, std::string_view text) {
  if (!currentdialog()) return;
  yyfieldputtext(field, text);
  if (field == kFieldFailed) xxerror(kErrField);
}

void wdialoggetstring(int field, std::span<char> text) {
  plat::HWND dlg = currentdialog();
  if (!dlg) return;
  plat::HWND c = plat::GetDlgItem(dlg, field);
  std::string s;
  if (c) {
    int n = plat::GetWindowTextLengthA(c);
    if (n > plat::kMaxControlText) n = plat::kMaxControlText;
    if (n > 0) {
      s.assign(static_cast<std::size_t>(n) + 1, '\0');
      int got = plat::GetWindowTextA(c, s.data(), n + 1);
      s.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    }
  }
  assign(text, s);
}

void wdialogputcheckbox(int field, int state) {
  plat::HWND dlg = currentdialog();
  if (!dlg) return;
  plat::HWND c = plat::GetDlgItem(dlg, field);
  if (!c || !ischeckbox(c)) {
    xxerror(kErrField);
    return;
  }
  if (state >= 0 && state <= 2) plat::SendMessageA(c, plat::BM_SETCHECK, static_cast<plat::WPARAM>(state), 0);
}

void wdialoggetcheckbox(int field, int& state) {
  plat::HWND dlg = currentdialog();
  if (!dlg) return;
  plat::HWND c = plat::GetDlgItem(dlg, field);
  if (!c || !ischeckbox(c)) {
    xxerror(kErrField);
    return;
  }
  plat::LRESULT r = plat::SendMessageA(c, plat::BM_GETCHECK, 0, 0);
  state = r == plat::BST_CHECKED ? 1 : r == plat::BST_INDETERMINATE ? 2 : 0;
}

void wdialogputradiobutton(int field) {
  plat::HWND dlg = currentdialog();
  if (!dlg) return;
  plat::HWND c = plat::GetDlgItem(dlg, field);
  if (!c || !yyisautoradio(c)) {
    xxerror(kErrField);
    return;
  }
  for (plat::HWND r : yyradiogroup(dlg, c))
    plat::SendMessageA(r, plat::BM_SETCHECK, r == c ? plat::BST_CHECKED : plat::BST_UNCHECKED, 0);
}

void wdialoggetradiobutton(int field, int& index) {
  plat::HWND dlg = currentdialog();
  if (!dlg) return;
  plat::HWND c = plat::GetDlgItem(dlg, field);
  if (!c || !yyisautoradio(c)) {
    xxerror(kErrField);
    return;
  }
  std::vector<plat::HWND> group = yyradiogroup(dlg, c);
  for (std::size_t i = 0; i < group.size(); ++i) {
    if (plat::SendMessageA(group[i], plat::BM_GETCHECK, 0, 0) == plat::BST_CHECKED) {
      index = static_cast<int>(i) + 1;
      return;
    }
  }
  index = kNoRadioSet;
  xxerror(kErrNoRadioSet);
}

int winfodialog(int item) {
  using namespace plat;
  int result = previousinfo;
  switch (item) {
    case 1: result = quorba04.exitfield; break;
    case 2: result = quorba04.focusfield; break;
    case 3: result = quorba04.currentdialog; break;
    case 4: result = quorba04.lastresult; break;
    case 5: result = quorba04.activedialog; break;
    case 6: case 7: case 8: case 9: {
      result = 0;
      HWND dlg = wdlg.iDlgCur ? wdlg.DialogInfo[wdlg.iDlgCur].hwnd : nullptr;
      if (!dlg) break;
      RECT r;
      GetWindowRect(dlg, &r);
      int v[4] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
      if (GetWindowLongPtrA(dlg, GWL_STYLE) & WS_CHILD) {
        // Window units of the root, with the root selected for the conversion.
        POINT o{0, 0};
        ClientToScreen(wsys.slots[0].hClient, &o);
        const int previous = quorba01.current;
        if (previous != 0) windowselect(0);
        windowunitsfrompixels(r.left - o.x, r.top - o.y, v[0], v[1]);
        windowunitsfrompixels(r.right - r.left, r.bottom - r.top, v[2], v[3]);
        if (previous != 0) windowselect(previous);
      }
      result = v[item - 6];
      break;
    }
    default: break;
  }
  previousinfo = result;
  return result;
}

}  // namespace tsd
