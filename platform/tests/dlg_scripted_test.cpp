// A test dialog driven by the scripted user: typed text is read back,
// radio groups stay exclusive, a 3-state box cycles, Enter presses the
// default button and Escape gives IDCANCEL, arrows move within a group,
// and Tab follows the template order.
#include "platform/tests/dlg_test_support.h"
#include "text/cp1250.h"

namespace plat::testing {
namespace {

// What the dialog procedure saw when the dialog ended.
struct Outcome {
  std::string text;
  std::string password;
  UINT radio[3] = {};
  UINT three_state = 99;
  int list_sel = -2;
  int combo_sel = -2;
  int ended_with = 0;
  HWND focus_at_end = nullptr;
  int init_calls = 0;
};

Outcome& outcome() {
  static Outcome o;
  return o;
}

INT_PTR test_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  Outcome& o = outcome();
  if (msg == WM_INITDIALOG) {
    ++o.init_calls;
    for (const char* s : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta"})
      SendDlgItemMessageA(dlg, kListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    for (const char* s : {"Linear", "Logarithmic"})
      SendDlgItemMessageA(dlg, kComboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendDlgItemMessageA(dlg, kComboId, CB_SETCURSEL, 0, 0);
    CheckRadioButton(dlg, kRadio1, kRadio3, kRadio1);
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    char buf[256];
    GetDlgItemTextA(dlg, kEditId, buf, sizeof buf);
    o.text = buf;
    GetDlgItemTextA(dlg, kPasswordId, buf, sizeof buf);
    o.password = buf;
    for (int i = 0; i < 3; ++i) o.radio[i] = IsDlgButtonChecked(dlg, kRadio1 + i);
    o.three_state = IsDlgButtonChecked(dlg, kCheck3);
    o.list_sel = static_cast<int>(SendDlgItemMessageA(dlg, kListId, LB_GETCURSEL, 0, 0));
    o.combo_sel = static_cast<int>(SendDlgItemMessageA(dlg, kComboId, CB_GETCURSEL, 0, 0));
    o.ended_with = LOWORD(wp);
    o.focus_at_end = GetFocus();
    EndDialog(dlg, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

class DialogScripted : public DialogTest {
 protected:
  INT_PTR run(const std::string& script) {
    outcome() = Outcome{};
    use_script(script);
    HWND owner = main_window();
    DialogTemplate t = test_dialog();
    INT_PTR r = DialogBoxIndirectParamA(nullptr, &t, owner, test_proc, 0);
    EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner is enabled again after the modal dialog";
    return r;
  }
};

TEST_F(DialogScripted, TypedTextRadioGroupAndThreeStateBoxReadBackAfterEnter) {
  INT_PTR r = run(
      "field 101 \"Próba 12,5\"\n"
      "field 102 \"secret\"\n"
      "button 202\n"
      "button 203\n"
      "button 301\n"
      "button 301\n"
      "click 10 10 in \"Main\"\n"  // the disabled owner takes no click
      "key Enter\n");
  EXPECT_EQ(r, IDOK);
  const Outcome& o = outcome();
  EXPECT_EQ(o.text, text::cp1250_from_utf8("Próba 12,5"));
  EXPECT_EQ(o.password, "secret");
  EXPECT_EQ(o.radio[0], 0u);
  EXPECT_EQ(o.radio[1], 0u) << "clicking 203 cleared 202";
  EXPECT_EQ(o.radio[2], 1u);
  EXPECT_EQ(o.three_state, 2u) << "two clicks: checked, then indeterminate";
  EXPECT_EQ(o.combo_sel, 0);
  std::string l = log();
  EXPECT_NE(l.find("dialog shown: \"Test dialog\""), std::string::npos) << l;
  EXPECT_NE(l.find("beep"), std::string::npos) << "a click on the disabled owner beeps:\n" << l;
}

TEST_F(DialogScripted, EscapeEndsWithCancelAndKeepsTypedValues) {
  INT_PTR r = run("field 101 \"abc\"\nkey Escape\n");
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(outcome().ended_with, IDCANCEL);
  EXPECT_EQ(outcome().text, "abc");
}

TEST_F(DialogScripted, CloseBoxIsCancel) {
  INT_PTR r = run("close\n");
  EXPECT_EQ(r, IDCANCEL);
}

TEST_F(DialogScripted, ArrowsMoveWithinTheRadioGroupAndCheckTheButton) {
  INT_PTR r = run("button 201\nkey Down\nkey Down\nkey Down\nkey Up\nkey Enter\n");
  EXPECT_EQ(r, IDOK);
  // 201 -> 202 -> 203 -> wraps to 201 -> back to 203.
  EXPECT_EQ(outcome().radio[0], 0u);
  EXPECT_EQ(outcome().radio[1], 0u);
  EXPECT_EQ(outcome().radio[2], 1u);
}

TEST_F(DialogScripted, TabFollowsTemplateOrderSkippingDisabledControls) {
  // From the name field: password, radio group (its checked button), 3-state,
  // check box, list, combo, OK, Cancel; the disabled button is skipped and
  // the order wraps to the name field. Enter there presses the default OK.
  INT_PTR r = run("field 101 \"x\"\nkey Tab Tab Tab Tab Tab Tab Tab Tab Tab\ntype \"y\"\nkey Enter\n");
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(outcome().text, "y") << "nine Tabs come back to the name field, whose text is selected and replaced";
}

TEST_F(DialogScripted, EnterOnAFocusedPushButtonPressesThatButton) {
  INT_PTR r = run("field 101 \"x\"\nkey Shift+Tab Shift+Tab\nkey Enter\n");
  // Shift+Tab from the name field wraps to Cancel (the disabled button is skipped), then OK... twice: OK.
  EXPECT_EQ(r, IDOK);
  r = run("field 101 \"x\"\nkey Shift+Tab\nkey Enter\n");
  EXPECT_EQ(r, IDCANCEL);
}

TEST_F(DialogScripted, MnemonicOfALabelFocusesTheFieldAfterIt) {
  INT_PTR r = run("button 202\nkey Alt+n\ntype \"via label\"\nkey Alt+g\nkey Enter\n");
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(outcome().text, "via label");
  EXPECT_EQ(outcome().radio[2], 1u) << "Alt+G clicked \"&General order\"";
}

TEST_F(DialogScripted, ListAndComboFollowTheKeyboard) {
  INT_PTR r = run("button 401\nkey Down Down\nbutton 501\nkey Down\nkey Enter\nkey Tab\nkey Enter\n");
  EXPECT_EQ(r, IDOK);
  EXPECT_GE(outcome().list_sel, 1);
  EXPECT_EQ(outcome().combo_sel, 1) << "the dropped list took Down and Enter";
}

}  // namespace
}  // namespace plat::testing
