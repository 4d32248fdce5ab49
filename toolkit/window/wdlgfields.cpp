// The field routines of the current dialog (text, check boxes, radio
// groups) and winfodialog, the program's questions about the last dialog.
#include <initializer_list>
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

// Field `field` of the current dialog when it is of one of `kinds`: error
// 1005 when no dialog is current, 1006 when the field is missing or of
// another kind.
plat::HWND dialogfield(int field, std::initializer_list<int> kinds) {
  if (!yycurrentdialogwindow()) {
    xxerror(kErrNoDialog);
    return nullptr;
  }
  plat::HWND c = yyfieldof(field, kinds);
  if (!c) xxerror(kErrField);
  return c;
}

// A radio field: an automatic radio button (every radio button of a
// loaded dialog is made one).
plat::HWND radiofield(int field) {
  plat::HWND c = dialogfield(field, {kFieldRadioButton});
  if (c && !yyisautoradio(c)) {
    xxerror(kErrField);
    return nullptr;
  }
  return c;
}

int previousinfo = 0;

}  // namespace

void wdialogputstring(int field, std::string_view text) {
  if (!dialogfield(field, {})) return;
  yyfieldputtext(field, text);
}

void wdialoggetstring(int field, std::span<char> text) {
  if (!yycurrentdialogwindow()) {
    xxerror(kErrNoDialog);
    return;
  }
  // A field that does not exist reads as blanks, without an error.
  plat::HWND c = yyfieldof(field);
  assign(text, c ? yyfieldtext(c) : std::string());
}

void wdialogputcheckbox(int field, int state) {
  plat::HWND c = dialogfield(field, {kFieldCheckBox});
  if (!c) return;
  if (state >= 0 && state <= 2) plat::SendMessageA(c, plat::BM_SETCHECK, static_cast<plat::WPARAM>(state), 0);
}

void wdialoggetcheckbox(int field, int& state) {
  plat::HWND c = dialogfield(field, {kFieldCheckBox});
  if (!c) return;
  plat::LRESULT r = plat::SendMessageA(c, plat::BM_GETCHECK, 0, 0);
  state = r == plat::BST_CHECKED ? 1 : r == plat::BST_INDETERMINATE ? 2 : 0;
}

void wdialogputradiobutton(int field) {
  plat::HWND c = radiofield(field);
  if (!c) return;
  for (plat::HWND r : yyradiogroup(plat::GetParent(c), c))
    plat::SendMessageA(r, plat::BM_SETCHECK, r == c ? plat::BST_CHECKED : plat::BST_UNCHECKED, 0);
}

void wdialoggetradiobutton(int field, int& index) {
  plat::HWND c = radiofield(field);
  if (!c) return;
  std::vector<plat::HWND> group = yyradiogroup(plat::GetParent(c), c);
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
