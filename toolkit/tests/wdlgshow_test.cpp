// Showing the test dialog through the scripted user: a modal show whose
// typed values come back into the loaded dialog whatever button ended it,
// the window images that serve repaints meanwhile, modeless and
// semi-modeless shows with their messages, placement, hide and unload.
#include "platform/gdi/gdi.h"
#include "platform/user/dialog/dialog.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wmiscel.h"

namespace tsd::testing {
namespace {

constexpr int kTestDialog = 101;

class WdlgShow : public WinHeadless {
 protected:
  void load(const std::string& script, WindowStyle style = defaultstyle()) {
    start(script, style);
    infoerror(1);
    wdialogload(kTestDialog);
    ASSERT_EQ(infoerror(1), 0);
  }
  static plat::HWND dlg() { return wdlg.DialogInfo[wdlg.iDlgCur].hwnd; }
  static std::string get(int field, std::size_t length) {
    std::string s(length, '#');
    wdialoggetstring(field, s);
    return s;
  }
  std::string log() const { return readfile(logpath_); }
};

TEST_F(WdlgShow, EscapeEndsAModalShowAndTheTypedValuesComeBack) {
  load("field 1001 \"Kowalski\"\nfield 1002 \"abcdefgh\"\nbutton 1004\nbutton 1012\nkey Escape\n");
  wdialogputstring(1001, "stare");
  wdialogshow(1, -1, 1001, kShowModal);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(winfodialog(1), 2) << "Escape ends it as button 2";
  EXPECT_EQ(winfodialog(5), kTestDialog);
  EXPECT_EQ(winfodialog(2), 1012) << "the field that had the focus before";
  EXPECT_EQ(get(1001, 12), "Kowalski    ") << "the typed text is copied back all the same";
  EXPECT_EQ(get(1002, 8), "abcde   ") << "the length limit of the companion record holds in the modal instance";
  int state = -5;
  wdialoggetcheckbox(1004, state);
  EXPECT_EQ(state, 1);
  int index = 0;
  wdialoggetradiobutton(1011, index);
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(plat::IsWindowVisible(dlg())) << "the loaded instance stays hidden";
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].shown, 0);
  EXPECT_NE(log().find("dialog shown: \"Dialog testowy\""), std::string::npos) << log();
}

TEST_F(WdlgShow, TheEndingButtonIsReported) {
  struct Case {
    const char* script;
    int exit;
  };
  const Case cases[] = {{"key Enter\n", 1}, {"button 1030\n", 1030}, {"button 2\n", 2}, {"close\n", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    load(c.script);
    wdialogputstring(1001, "zachowane");
    wdialogshow(1, -1, 1001, kShowModal);
    EXPECT_EQ(winfodialog(1), c.exit);
    EXPECT_EQ(get(1001, 9), "zachowane");
    TearDown();
    SetUp();
  }
}

TEST_F(WdlgShow, APopupAtX1AndYMinus1IsPlacedByScreenPixels) {
  load("idle\n");
  wdialogshow(1, -1, 1001, kShowModeless);
  ASSERT_TRUE(plat::IsWindowVisible(dlg()));
  plat::RECT r;
  plat::GetWindowRect(dlg(), &r);
  const int sh = plat::GetSystemMetrics(plat::SM_CYSCREEN);
  EXPECT_EQ(r.left, 1) << "x is not converted for a popup dialog";
  EXPECT_EQ(r.top, (sh - (r.bottom - r.top)) / 2) << "y -1 centres it on the screen";
  EXPECT_EQ(winfodialog(6), 1) << "screen pixels for a popup";
  EXPECT_EQ(winfodialog(7), r.top);
  EXPECT_EQ(winfodialog(8), r.right - r.left);
  EXPECT_EQ(winfodialog(9), r.bottom - r.top);
  EXPECT_EQ(winfodialog(77), r.bottom - r.top) << "an unknown item repeats the previous result";
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].shown, 1);
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].prevfield, 1001) << "previous field = the focused field";
  wdialoghide();
  EXPECT_FALSE(plat::IsWindowVisible(dlg()));
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].shown, 0);
}

TEST_F(WdlgShow, AModelessPushButtonIsAMessage) {
  load("button 1030\nclose in \"Okno testowe\"\n");
  wdialogputstring(1001, "abc");
  wdialogshow(1, -1, 1001, kShowModeless);
  std::vector<Got> got = loop();
  std::vector<Got> pushes = oftype(got, kPushButton);
  ASSERT_EQ(pushes.size(), 1u);
  EXPECT_EQ(pushes[0].m.win, kTestDialog) << "WIN is the dialog id";
  EXPECT_EQ(pushes[0].m.value1, 1030);
  EXPECT_EQ(pushes[0].m.value2, 1001) << "the field that had the focus";
  EXPECT_EQ(pushes[0].m.value3, -1);
  EXPECT_TRUE(plat::IsWindowVisible(dlg())) << "a modeless dialog stays up";
}

TEST_F(WdlgShow, FieldChangesAreMessagesWhenEnabled) {
  load("button 1003\nbutton 1012\nclose in \"Okno testowe\"\n");
  yyenablemessage(kFieldChanged, 1);
  wdialogshow(1, -1, 1001, kShowModeless);
  std::vector<Got> changes = oftype(loop(), kFieldChanged);
  ASSERT_GE(changes.size(), 2u);
  const Got& a = changes[changes.size() - 2];
  const Got& b = changes.back();
  EXPECT_EQ(a.m.win, kTestDialog);
  EXPECT_EQ(a.m.value1, 1001) << "the field left";
  EXPECT_EQ(a.m.value2, 1003) << "the field clicked";
  EXPECT_EQ(b.m.value1, 1003);
  EXPECT_EQ(b.m.value2, 1012);
  EXPECT_EQ(b.m.x, a.m.y) << "X is the control of the previous FieldChanged";
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].field, 1012);
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].prevfield, 1003);
}

TEST_F(WdlgShow, UnloadDestroysTheWindowAndFreesItsEntry) {
  load("idle\n");
  wdialogload(201);
  wdialogselect(kTestDialog);
  plat::HWND h = dlg();
  wdialogshow(1, -1, 0, kShowModeless);
  wdialogunload();
  EXPECT_FALSE(plat::IsWindow(h));
  EXPECT_EQ(wdlg.nDialogs, 1);
  EXPECT_EQ(wdlg.DialogInfo[1].id, 201) << "the later entry moves down";
  EXPECT_EQ(winfodialog(3), 0);
  wdialogputstring(1001, "x");
  EXPECT_EQ(infoerror(1), kErrNoDialog);
}

TEST_F(WdlgShow, RepaintsDuringAModalShowComeFromTheWindowImage) {
  load("repaint in \"Okno testowe\"\nidle\nkey Escape\nclose in \"Okno testowe\"\n");
  using namespace plat;
  RECT area{10, 10, 60, 40};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(wsys.wDC, &area, red);
  DeleteObject(red);
  wdialogshow(1, -1, 0, kShowModal);
  EXPECT_EQ(wsys.wImagesSaved, 0) << "the images are gone afterwards";
  EXPECT_EQ(wsys.slots[0].wImage, nullptr);
  EXPECT_EQ(GetPixel(wsys.wDC, 20, 20), RGB(255, 0, 0)) << "the picture survived the repaint";
  std::vector<Got> got = loop();
  EXPECT_TRUE(oftype(got, kExpose).empty()) << "no Expose for damage during the modal show";
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back().type, kCloseRequest);
}

TEST_F(WdlgShow, AChildDialogIsShownModelessInWindowUnits) {
  start("idle\n");
  wdialogload(102);
  ASSERT_EQ(infoerror(1), 0);
  wdialogshow(1000, 2000, 0, kShowModal);
  EXPECT_EQ(infoerror(1), kErrShowType) << "a child dialog cannot be modal";
  EXPECT_TRUE(plat::IsWindowVisible(dlg()));
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].showtype, kShowModeless);
  // The place is given and reported in window units of the root (400 x 300).
  const int px = unitstopixels(400, 1000);
  const int py = unitstopixels(300, 2000);
  plat::POINT o{0, 0};
  plat::ClientToScreen(client(), &o);
  plat::RECT r;
  plat::GetWindowRect(dlg(), &r);
  EXPECT_EQ(r.left - o.x, px);
  EXPECT_EQ(r.top - o.y, py);
  EXPECT_EQ(winfodialog(6), unitsfrompixels(400, px)) << "window units of the root";
  EXPECT_EQ(winfodialog(7), unitsfrompixels(300, py));
  EXPECT_EQ(winfodialog(8), unitsfrompixels(400, r.right - r.left));
}

TEST_F(WdlgShow, AModelessChildWhileTheRootIsHiddenIsNotShown) {
  WindowStyle style = defaultstyle();
  style.flags |= kStyleHidden;
  start("idle\n", style);
  wdialogload(102);
  wdialogshow(0, 0, 0, kShowModeless);
  EXPECT_EQ(infoerror(1), kErrRootHidden);
  EXPECT_FALSE(plat::IsWindowVisible(dlg()));
}

TEST_F(WdlgShow, SemiModelessDisablesTheOthersUntilHidden) {
  load("idle\n");
  wdialogshow(1, 1, 0, kShowSemiModeless);
  EXPECT_EQ(wdlg.nSemi, 1);
  EXPECT_FALSE(plat::IsWindowEnabled(frame()));
  wdialogload(201);
  wdialogshow(300, 1, 0, kShowModeless);
  EXPECT_EQ(infoerror(1), kErrShowType) << "modeless while a semi-modeless one is shown";
  EXPECT_EQ(wdlg.DialogInfo[wdlg.iDlgCur].showtype, kShowSemiModeless);
  EXPECT_EQ(wdlg.nSemi, 2);
  wdialoghide();
  wdialogselect(kTestDialog);
  wdialoghide();
  EXPECT_EQ(wdlg.nSemi, 0);
  EXPECT_TRUE(plat::IsWindowEnabled(frame()));
}

TEST_F(WdlgShow, AChildOpenedWhileASemiModelessDialogIsShownStartsDisabled) {
  load("idle\n");
  wdialogshow(1, 1, 0, kShowSemiModeless);
  int iwin = 0;
  yyopenchild(20, 20, 120, 80, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
  ASSERT_EQ(iwin, 1);
  EXPECT_FALSE(plat::IsWindowEnabled(wsys.slots[iwin].wWindow)) << "it waits for the dialog like the others";
  wdialoghide();
  EXPECT_TRUE(plat::IsWindowEnabled(wsys.slots[iwin].wWindow)) << "enabled with the others when it is hidden";
  // Without a semi-modeless dialog a child starts enabled.
  int second = 0;
  yyopenchild(40, 40, 120, 80, 0, 1, 1, 1, 1, second, 0, 0, 0, 0, "Drugie");
  EXPECT_TRUE(plat::IsWindowEnabled(wsys.slots[second].wWindow));
}

TEST_F(WdlgShow, AChildOpenedWhileASemiModelessDialogIsShownLeavesItTheKeyboard) {
  // The typed text goes to the dialog's field; the button ends the loop.
  load("type \"abca\"\nbutton 1030 in \"Dialog testowy\"\n");
  wdialogshow(1, 1, 1001, kShowSemiModeless);
  plat::HWND edit = plat::GetDlgItem(dlg(), 1001);
  ASSERT_EQ(plat::GetFocus(), edit);
  int iwin = 0;
  yyopenchild(20, 20, 120, 80, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
  ASSERT_EQ(iwin, 1);
  EXPECT_EQ(plat::GetFocus(), edit) << "the disabled child does not take the focus";
  std::vector<Got> got;
  for (int i = 0; i < 50; ++i) {
    Got g;
    wmessage(g.type, g.m);
    got.push_back(g);
    if (g.type == kPushButton || g.type == kCloseRequest) break;
  }
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back().type, kPushButton);
  EXPECT_TRUE(oftype(got, kKeyDown).empty()) << "no key reached a window";
  EXPECT_EQ(get(1001, 6), "abca  ") << "the dialog kept the keyboard";
}

TEST_F(WdlgShow, HidingTheSecondSemiModelessDialogEnablesTheFirst) {
  load("idle\n");
  wdialogshow(1, 1, 0, kShowSemiModeless);
  plat::HWND first = dlg();
  wdialogload(201);
  wdialogshow(300, 1, 0, kShowSemiModeless);
  plat::HWND second = dlg();
  ASSERT_EQ(wdlg.nSemi, 2);
  ASSERT_FALSE(plat::IsWindowEnabled(first)) << "the first waits for the second";
  wdialoghide();
  EXPECT_EQ(wdlg.nSemi, 1);
  EXPECT_TRUE(plat::IsWindowEnabled(first)) << "the first dialog takes input again";
  EXPECT_FALSE(plat::IsWindowEnabled(frame())) << "the root still waits for the first";
  EXPECT_EQ(wdlg.hLastSemi, first);
  wdialogselect(kTestDialog);
  wdialoghide();
  EXPECT_EQ(wdlg.nSemi, 0);
  EXPECT_TRUE(plat::IsWindowEnabled(frame()));
  EXPECT_TRUE(plat::IsWindowEnabled(second));
}

TEST_F(WdlgShow, WindowPositionKindsTwoAndThreeAreThoseOfTheCurrentDialog) {
  load("idle\n");
  wdialogshow(1, 5, 0, kShowModeless);
  plat::RECT r;
  plat::GetWindowRect(dlg(), &r);
  // Another dialog shown later is the active one; the test dialog is current.
  wdialogload(201);
  wdialogshow(300, 200, 0, kShowModeless);
  wdialogselect(kTestDialog);
  const struct {
    int kind;
    int x, y;
  } cases[] = {{2, r.left, r.top}, {3, r.right - r.left, r.bottom - r.top}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    int x = -1, y = -1, child = -1;
    yygetwindowpos(c.kind, x, y, child);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(child, 0) << "a popup dialog: screen pixels";
  }
}

TEST_F(WdlgShow, UnloadingTheLastDialogGivesLaterBoxesToTheRoot) {
  load("idle\n");
  wdialogload(201);
  int iwin = 0;
  yyopenchild(20, 20, 120, 80, 0, 1, 1, 1, 1, iwin, 0, 0, 0, 0, "Dziecko");
  ASSERT_EQ(iwin, 1);
  ASSERT_EQ(wsys.wOwner, wsys.slots[iwin].hClient) << "the focused child owns later dialogs";
  wdialogunload();
  EXPECT_EQ(wsys.wOwner, wsys.slots[iwin].hClient) << "a dialog is still loaded";
  wdialogselect(kTestDialog);
  wdialogunload();
  EXPECT_EQ(wdlg.nDialogs, 0);
  EXPECT_EQ(wsys.wOwner, client()) << "the last dialog is gone: the root owns them again";
}

}  // namespace
}  // namespace tsd::testing
