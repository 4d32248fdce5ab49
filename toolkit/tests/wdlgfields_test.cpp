// The dialog table and the field routines on the loaded test dialog: the
// companion record applied at load, values put and read back, check and
// radio states, the errors of the field routines, and the table limit.
#include "platform/user/dialog/dialog.h"
#include "toolkit/tests/winheadless.h"
#include "toolkit/window/wdialog.h"
#include "toolkit/window/wdlgfield.h"
#include "toolkit/window/wdlgwindow.h"
#include "text/cp1250.h"

namespace tsd::testing {
namespace {

constexpr int kTestDialog = 101;

class WdlgFields : public WinHeadless {
 protected:
  void load() {
    start("");
    infoerror(1);
    wdialogload(kTestDialog);
    ASSERT_EQ(infoerror(1), 0);
    ASSERT_EQ(wdlg.nDialogs, 1);
  }
  static plat::HWND dlg() { return wdlg.DialogInfo[wdlg.iDlgCur].hwnd; }
  static plat::HWND item(int id) { return plat::GetDlgItem(dlg(), id); }
  static std::string get(int field, std::size_t length) {
    std::string s(length, '#');
    wdialoggetstring(field, s);
    return s;
  }
};

TEST_F(WdlgFields, LoadAppliesTheCompanionRecord) {
  load();
  EXPECT_FALSE(plat::IsWindowVisible(dlg())) << "a loaded dialog stays hidden";
  EXPECT_EQ(winfodialog(3), kTestDialog);
  struct Check {
    int field;
    int state;
  };
  for (Check k : {Check{1003, 1}, Check{1004, 0}, Check{1006, 2}}) {
    SCOPED_TRACE("check box " + std::to_string(k.field));
    int state = -5;
    wdialoggetcheckbox(k.field, state);
    EXPECT_EQ(state, k.state);
  }
  using namespace plat;
  HWND list = item(1005);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
  const char* entries[] = {"alfa", "beta", "gamma"};
  for (int i = 0; i < 3; ++i) {
    char buf[32] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, entries[i]) << "entry " << i;
  }
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1) << "selection 2 of the record is the second entry";
  EXPECT_EQ(SendMessageA(item(1007), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(item(1007), CB_GETCURSEL, 0, 0), CB_ERR) << "selection 0 selects nothing";
  EXPECT_EQ(SendMessageA(item(1002), EM_GETLIMITTEXT, 0, 0), 5);
  ASSERT_NE(yyfieldrecord(item(1002)), nullptr);
  EXPECT_EQ(yyfieldrecord(item(1002))->maxlength, 5);
  EXPECT_EQ(yyfieldrecord(item(1001))->maxlength, 0) << "a \"[Ranges]\" line sets nothing";
  EXPECT_DOUBLE_EQ(yyfieldrecord(item(1001))->lower, 1000.0);
  EXPECT_DOUBLE_EQ(yyfieldrecord(item(1001))->upper, -1000.0);
  EXPECT_EQ(GetWindowLongPtrA(item(1004), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_AUTOCHECKBOX))
      << "a plain check box is made automatic";
  EXPECT_EQ(GetWindowLongPtrA(item(1006), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_AUTO3STATE));
  EXPECT_EQ(GetWindowLongPtrA(item(1012), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG_PTR>(BS_AUTORADIOBUTTON));
}

TEST_F(WdlgFields, LoadingALoadedDialogOnlySelectsIt) {
  load();
  wdialogputcheckbox(1003, 0);
  wdialogload(201);
  EXPECT_EQ(winfodialog(3), 201);
  wdialogload(kTestDialog);
  EXPECT_EQ(wdlg.nDialogs, 2) << "no second copy";
  EXPECT_EQ(winfodialog(3), kTestDialog);
  int state = -5;
  wdialoggetcheckbox(1003, state);
  EXPECT_EQ(state, 0) << "the companion record is not applied again";
  wdialogselect(201);
  EXPECT_EQ(winfodialog(3), 201);
  wdialogselect(999);
  EXPECT_EQ(infoerror(1), kErrDialogNotLoaded);
  EXPECT_EQ(winfodialog(3), 201) << "a failed select keeps the current dialog";
}

TEST_F(WdlgFields, FiftyDialogsAtMost) {
  start("");
  for (int id = 201; id <= 250; ++id) wdialogload(id);
  ASSERT_EQ(wdlg.nDialogs, kMaxDialogs);
  ASSERT_EQ(infoerror(1), 0);
  wdialogload(251);
  EXPECT_EQ(infoerror(1), kErrDialogLoad) << "the fifty-first load";
  EXPECT_EQ(wdlg.nDialogs, kMaxDialogs);
  EXPECT_EQ(winfodialog(3), 250) << "the table is unchanged";
  EXPECT_EQ(yydialogindex(251), 0);
  // Unloading one makes room; later entries move down.
  wdialogselect(210);
  wdialogunload(0);
  EXPECT_EQ(winfodialog(3), 0) << "no dialog is current after an unload";
  EXPECT_EQ(wdlg.iDlgCur, 0);
  EXPECT_EQ(wdlg.nDialogs, kMaxDialogs - 1);
  EXPECT_EQ(wdlg.DialogInfo[10].id, 211);
  EXPECT_EQ(wdlg.DialogInfo[49].id, 250);
  wdialogload(251);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(yydialogindex(251), 50);
}

TEST_F(WdlgFields, AMissingTemplateIsRefused) {
  start("");
  wdialogload(999);
  EXPECT_EQ(infoerror(1), kErrDialogLoad);
  EXPECT_EQ(wdlg.nDialogs, 0);
  EXPECT_EQ(winfodialog(3), 0);
}

TEST_F(WdlgFields, TextsArePutWithoutTrailingBlanksAndReadBlankPadded) {
  load();
  const std::string text = ::text::cp1250_from_utf8("Próbka 14 znak");
  ASSERT_EQ(text.size(), 14u);
  wdialogputstring(1001, text + "   ");
  EXPECT_EQ(plat::GetWindowTextLengthA(item(1001)), 14) << "trailing blanks are cut";
  EXPECT_EQ(get(1001, 20), text + std::string(6, ' ')) << "a short field is padded with blanks";
  EXPECT_EQ(get(1002, 10), std::string(10, ' ')) << "an empty field gives blanks";
  EXPECT_EQ(get(4711, 6), std::string(6, ' ')) << "a field that does not exist gives blanks";
  EXPECT_EQ(infoerror(1), 0) << "without an error";
  wdialogputstring(4711, "x");
  EXPECT_EQ(infoerror(1), kErrField);
}

TEST_F(WdlgFields, IdMinusOneNamesNoField) {
  // -1 is the id of every label without one of its own (and the failure
  // mark of the field routines): no routine reaches a label by it.
  load();
  plat::HWND label = plat::GetDlgItem(dlg(), -1);
  ASSERT_NE(label, nullptr) << "the test dialog has labels of id -1";
  const std::string before = yyfieldtext(label);
  const struct {
    const char* what;
    void (*call)();
    int error;
  } cases[] = {
      {"put string", [] { wdialogputstring(-1, "zmiana"); }, kErrField},
      {"put check box", [] { wdialogputcheckbox(-1, 1); }, kErrField},
      {"put radio button", [] { wdialogputradiobutton(-1); }, kErrField},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    infoerror(1);
    c.call();
    EXPECT_EQ(infoerror(1), c.error);
    EXPECT_EQ(yyfieldtext(label), before) << "the label is unchanged";
  }
  EXPECT_EQ(get(-1, 6), std::string(6, ' ')) << "a field that does not exist gives blanks";
  int field = -1;
  yyfieldputtext(field, "zmiana");
  EXPECT_EQ(field, kFieldFailed);
  EXPECT_EQ(yyfieldtext(label), before);
}

TEST_F(WdlgFields, FourteenCharactersReadIntoTen) {
  load();
  wdialogputstring(1001, "ABCDEFGHIJKLMN");
  EXPECT_EQ(get(1001, 10), "ABCDEFGHIJ");
  EXPECT_EQ(get(1001, 16), "ABCDEFGHIJKLMN  ");
}

TEST_F(WdlgFields, CheckBoxesTakeTheirThreeStates) {
  load();
  for (int state : {1, 2, 0}) {
    SCOPED_TRACE("state " + std::to_string(state));
    wdialogputcheckbox(1006, state);
    int got = -5;
    wdialoggetcheckbox(1006, got);
    EXPECT_EQ(got, state);
  }
  int got = -5;
  wdialoggetcheckbox(1001, got);
  EXPECT_EQ(infoerror(1), kErrField) << "an edit field is no check box";
  EXPECT_EQ(got, -5) << "and the value is left alone";
  wdialogputcheckbox(1011, 1);
  EXPECT_EQ(infoerror(1), kErrField) << "nor is a radio button";
}

TEST_F(WdlgFields, RadioButtonsOfAGroupAreExclusive) {
  load();
  int index = 0;
  wdialoggetradiobutton(1011, index);
  EXPECT_EQ(index, kNoRadioSet) << "none set";
  EXPECT_EQ(infoerror(1), kErrNoRadioSet);
  wdialogputradiobutton(1012);
  for (int field : {1011, 1012, 1013}) {
    SCOPED_TRACE("asked through " + std::to_string(field));
    index = 0;
    wdialoggetradiobutton(field, index);
    EXPECT_EQ(index, 2);
  }
  wdialogputradiobutton(1013);
  EXPECT_EQ(plat::SendMessageA(item(1012), plat::BM_GETCHECK, 0, 0), 0) << "the others of the group are cleared";
  wdialoggetradiobutton(1011, index);
  EXPECT_EQ(index, 3);
  wdialogputradiobutton(1003);
  EXPECT_EQ(infoerror(1), kErrField) << "a check box is no radio button";
  wdialoggetradiobutton(4711, index);
  EXPECT_EQ(infoerror(1), kErrField);
  EXPECT_EQ(index, 3);
}

TEST_F(WdlgFields, EveryRoutineNeedsACurrentDialog) {
  start("");
  struct Case {
    const char* name;
    void (*call)();
  };
  const Case cases[] = {
      {"show", [] { wdialogshow(1, -1, 0, 1); }},
      {"hide", [] { wdialoghide(); }},
      {"unload", [] { wdialogunload(); }},
      {"putstring", [] { wdialogputstring(1001, "x"); }},
      {"getstring", [] { std::string s(4, 'q'); wdialoggetstring(1001, s); }},
      {"putcheckbox", [] { wdialogputcheckbox(1003, 1); }},
      {"getcheckbox", [] { int s = 0; wdialoggetcheckbox(1003, s); }},
      {"putradiobutton", [] { wdialogputradiobutton(1011); }},
      {"getradiobutton", [] { int s = 0; wdialoggetradiobutton(1011, s); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    infoerror(1);
    c.call();
    EXPECT_EQ(infoerror(1), kErrNoDialog);
  }
  std::string s(4, 'q');
  wdialoggetstring(1001, s);
  EXPECT_EQ(s, "qqqq") << "the text is left alone";
}

TEST_F(WdlgFields, WindowCloseEmptiesTheTable) {
  load();
  plat::HWND h = dlg();
  windowclose();
  EXPECT_FALSE(plat::IsWindow(h));
  EXPECT_EQ(wdlg.nDialogs, 0);
  EXPECT_EQ(wdlg.iDlgCur, 0);
}

}  // namespace
}  // namespace tsd::testing
