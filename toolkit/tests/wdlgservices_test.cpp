// Dialog services: caption, focus, dialog units, the dialog manager's
// questions, the number reader of numeric fields, and a dialog graphics
// field as the drawing target with its repaints and mouse events, F1 as
// push button 9.
#include <cmath>

#include "platform/comctl/comctl.h"
#include "platform/gdi/gdi.h"
#include "platform/user/dialog/dialog.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"
#include "text/cp1250.h"

namespace tsd::testing {
namespace {

constexpr int kFieldsDialog = 301;
constexpr int kDrawingDialog = 303;
constexpr int kDrawingField = 3030;

class DialogServices : public WinHeadless {
 protected:
  static plat::HWND dlg() { return wdlg.DialogInfo[wdlg.iDlgCur].hwnd; }
};

TEST_F(DialogServices, TitleFocusAndTheQuestions) {
  start("");
  wdialogload(kFieldsDialog);
  yydialogtitle(::text::cp1250_from_utf8("Nowy tytuł   "));
  EXPECT_EQ(yyfieldtext(dlg()), ::text::cp1250_from_utf8("Nowy tytuł"));
  wdialogshow(-1, -1, 0, kShowModeless);
  plat::SetWindowTextA(plat::GetDlgItem(dlg(), 3004), "abc");
  int field = 3006;
  yydialogfocus(field);
  field = 3004;
  yydialogfocus(field);
  EXPECT_EQ(field, 3004);
  EXPECT_EQ(plat::GetFocus(), plat::GetDlgItem(dlg(), 3004));
  plat::DWORD a = 0, b = 0;
  plat::SendMessageA(plat::GetDlgItem(dlg(), 3004), plat::EM_GETSEL, reinterpret_cast<plat::WPARAM>(&a),
                     reinterpret_cast<plat::LPARAM>(&b));
  EXPECT_EQ(a, 0u);
  EXPECT_EQ(b, 3u) << "its whole text is selected";
  int value = -7;
  yywinfodialog(1, value);
  EXPECT_EQ(value, 3004) << "current field";
  yywinfodialog(2, value);
  EXPECT_EQ(value, 3006) << "previous field";
  yywinfodialog(3, value);
  EXPECT_EQ(value, wdlg.iDlgAct);
  yywinfodialog(7, value);
  EXPECT_EQ(value, 0);
  field = 4242;
  yydialogfocus(field);
  EXPECT_EQ(field, kFieldFailed);
}

TEST_F(DialogServices, DialogFactorIsFourBySixteenthsOfTheBaseUnits) {
  start("");
  wdialogload(kFieldsDialog);
  plat::RECT r{0, 0, 4, 8};
  plat::MapDialogRect(dlg(), &r);
  int x = -1, y = -1;
  yygetdlgfactor(x, y);
  EXPECT_EQ(x, r.right);
  EXPECT_EQ(y, r.bottom);
  EXPECT_GT(x, 0);
  EXPECT_GT(y, x) << "8 vertical units are taller than 4 horizontal ones";
}

TEST_F(DialogServices, NumberReader) {
  struct Case {
    const char* text;
    double value;
    int complete;
  } cases[] = {
      {"  1.5", 1.5, 1},      {"-2.5e3", -2500.0, 1}, {"1.25D-2", 0.0125, 1}, {"+.5", 0.5, 1},
      {"\t4   ", 4.0, 1},     {"7d+2", 700.0, 1},     {"3E", 3.0, 0},         {"1.2.3", 1.2, 0},
      {"12abc", 12.0, 0},     {"abc", 0.0, 0},        {"", 0.0, 0},           {"-", 0.0, 0},
      {"0.1", 0.1, 1},        {"1e400", HUGE_VAL, 1}, {"5e-400", 0.0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    int complete = -7;
    const double v = yyAsciiToDouble(c.text, complete);
    EXPECT_EQ(v, c.value);
    EXPECT_EQ(complete, c.complete);
  }
}

TEST_F(DialogServices, GraphicsFieldIsTheDrawingTargetUntilGivenBack) {
  start("");
  wdialogload(kDrawingDialog);
  plat::HWND f = plat::GetDlgItem(dlg(), kDrawingField);
  plat::RECT c;
  plat::GetClientRect(f, &c);
  int field = kDrawingField, w = 0, h = 0;
  yygetdialogdc(field, 1, w, h);
  EXPECT_EQ(field, kDrawingField);
  EXPECT_EQ(w, c.right);
  EXPECT_EQ(h, c.bottom);
  EXPECT_EQ(WinWidth, w);
  EXPECT_EQ(quorba01.clientheight, h);
  EXPECT_EQ(wsys.hGraphicsField, f);
  EXPECT_NE(hdc, wsys.wDC) << "the field's context is the target";
  EXPECT_EQ(plat::WindowFromDC(hdc), f);
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].gflag, 1);
  EXPECT_EQ(yyfieldrecord(f)->graphics, 1);
  // A selection of the window keeps the field the target, with one context.
  windowselect(0);
  EXPECT_EQ(plat::WindowFromDC(hdc), f);
  yygetdialogdc(field, 0, w, h);
  EXPECT_EQ(wsys.hGraphicsField, nullptr);
  EXPECT_EQ(hdc, wsys.wDC) << "nothing draws on a released context";
  // Unloading the dialog of a graphics field gives the target back too.
  yygetdialogdc(field, 1, w, h);
  wdialogunload();
  EXPECT_EQ(wsys.hGraphicsField, nullptr);
  EXPECT_EQ(hdc, wsys.wDC);
  int missing = 4242;
  wdialogload(kDrawingDialog);
  yygetdialogdc(missing, 1, w, h);
  EXPECT_EQ(missing, kFieldFailed);
}

// The scripted user clicks inside the graphics field and on the dialog
// beside it, presses F1 and closes the dialog.
TEST_F(DialogServices, GraphicsFieldEventsAndHelpKeyAreDialogMessages) {
  start("click 60 40 in \"Rysunek\"\nclick 3 3 in \"Rysunek\"\nkey F1\n");
  wdialogload(kDrawingDialog);
  int field = kDrawingField, w = 0, h = 0;
  yygetdialogdc(field, 1, w, h);
  wdialogshow(-1, -1, 0, kShowModeless);
  plat::HWND f = plat::GetDlgItem(dlg(), kDrawingField);
  plat::POINT origin{0, 0};
  plat::MapWindowPoints(f, dlg(), &origin, 1);
  // The program hides the dialog when the close request makes it end
  // (push button 2), then the root window gets the next close request.
  std::vector<Got> got;
  for (int i = 0; i < 60; ++i) {
    Got g;
    wmessage(g.type, g.m);
    got.push_back(g);
    if (g.type == kPushButton && g.m.value1 == 2) wdialoghide();
    if (g.type == kCloseRequest) break;
  }
  std::vector<Got> downs, exposes, buttons;
  for (const Got& g : got) {
    if (g.type == kMouseButDown && g.m.win == kDrawingDialog) downs.push_back(g);
    if (g.type == kExpose && g.m.win == kDrawingDialog) exposes.push_back(g);
    if (g.type == kPushButton && g.m.win == kDrawingDialog) buttons.push_back(g);
  }
  ASSERT_EQ(downs.size(), 2u) << "one press in the field, one on the dialog";
  EXPECT_EQ(downs[0].m.value1, 1) << "left button";
  EXPECT_EQ(downs[0].m.value3, 1) << "a graphics-field event";
  EXPECT_EQ(downs[0].m.value4, kDrawingField);
  EXPECT_EQ(downs[0].m.x, 60 - origin.x) << "pixels of the field";
  EXPECT_EQ(downs[0].m.y, 40 - origin.y);
  EXPECT_EQ(downs[1].m.value4, 0) << "on the dialog itself";
  EXPECT_EQ(downs[1].m.x, 3);
  EXPECT_EQ(downs[1].m.y, 3);
  ASSERT_FALSE(exposes.empty()) << "repaints of the dialog and its field are Exposes";
  for (const Got& e : exposes) {
    EXPECT_EQ(e.m.value3, 1);
    EXPECT_EQ(e.m.x, -1) << "no area";
  }
  ASSERT_FALSE(buttons.empty());
  EXPECT_EQ(buttons[0].m.value1, 9) << "F1 is push button 9";
}

TEST_F(DialogServices, TrackbarMovesAreFieldChanges) {
  start("key Right\n");
  yyenablemessage(kFieldChanged, 1);
  wdialogload(kFieldsDialog);
  wdialogshow(-1, -1, 3019, kShowModeless);
  std::vector<Got> changes;
  for (int i = 0; i < 60; ++i) {
    Got g;
    wmessage(g.type, g.m);
    if (g.type == kFieldChanged && g.m.value2 == 3019) changes.push_back(g);
    if (g.type == kPushButton && g.m.value1 == 2) wdialoghide();
    if (g.type == kCloseRequest) break;
  }
  ASSERT_EQ(changes.size(), 1u) << "one step, and no change for the end of the move";
  EXPECT_EQ(changes[0].m.win, kFieldsDialog);
  EXPECT_EQ(plat::SendMessageA(plat::GetDlgItem(dlg(), 3019), plat::TBM_GETPOS, 0, 0), 1);
}

TEST_F(DialogServices, CaptionlessPageOfATabControlNamesItsTab) {
  start("");
  using namespace plat;
  HWND tab = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, client(), nullptr,
                             nullptr, nullptr);
  ASSERT_NE(tab, nullptr);
  TCITEMA item;
  item.mask = TCIF_TEXT;
  for (const char* t : {"A", "B"}) {
    std::string s = t;
    item.pszText = s.data();
    SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)),
                 reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(tab, TCM_SETCURSEL, 1, 0);
  wdialogload(302);  // a child dialog without caption beside the tab control
  yydialogtitle("Strona");
  char got[16] = {};
  item.pszText = got;
  item.cchTextMax = sizeof got;
  SendMessageA(tab, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(got, "Strona") << "the tab shown takes the caption";
  EXPECT_EQ(yyfieldtext(dlg()), "") << "the page itself has no caption";
}

}  // namespace
}  // namespace tsd::testing
