// The test dialog of resources/test/dlgtest.rc, shown with DialogBoxParamA
// and driven by the scripted user: typed text, an exclusive radio group, a
// 3-state box (plain BS_3STATE: the program sets its state), Enter, Escape.
#include "platform/tests/dlg_test_support.h"
#include "text/cp1250.h"

namespace plat::testing {
namespace {

constexpr int kDialog = 900, kName = 901, kR1 = 911, kTri = 921;

struct Seen3 {
  std::string name;
  UINT radios[3] = {};
  UINT tri = 99;
  int tri_clicks = 0;
};
Seen3& got() {
  static Seen3 s;
  return s;
}

INT_PTR proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) {
    CheckRadioButton(dlg, kR1, kR1 + 2, kR1);
    return TRUE;
  }
  if (msg != WM_COMMAND) return FALSE;
  int id = LOWORD(wp);
  if (id == kTri && HIWORD(wp) == BN_CLICKED) {
    // A plain 3-state box is cycled by its program: clear, set, indeterminate.
    ++got().tri_clicks;
    CheckDlgButton(dlg, kTri, (IsDlgButtonChecked(dlg, kTri) + 1) % 3);
    return TRUE;
  }
  if (id == IDOK || id == IDCANCEL) {
    char buf[128];
    GetDlgItemTextA(dlg, kName, buf, sizeof buf);
    got().name = buf;
    for (int i = 0; i < 3; ++i) got().radios[i] = IsDlgButtonChecked(dlg, kR1 + i);
    got().tri = IsDlgButtonChecked(dlg, kTri);
    EndDialog(dlg, id);
    return TRUE;
  }
  return FALSE;
}

class DialogResource : public DialogTest {
 protected:
  INT_PTR run(const std::string& script) {
    got() = Seen3{};
    use_script(script);
    HWND owner = main_window();
    return DialogBoxParamA(nullptr, MAKEINTRESOURCEA(kDialog), owner, proc, 0);
  }
};

TEST_F(DialogResource, TemplateFromTheScriptIsShownInOrder) {
  INT_PTR r = run("key Escape\n");
  EXPECT_EQ(r, IDCANCEL);
  std::string l = log();
  std::string want = text::cp1250_from_utf8("dialog shown: \"Parametry pomiaru\" | STATIC -1 \"&Nazwa:\" | EDIT 901");
  EXPECT_NE(l.find(want), std::string::npos) << l;
}

TEST_F(DialogResource, TypedTextRadiosAndThreeStateAfterEnter) {
  INT_PTR r = run(
      "field 901 \"Próbka A\"\n"
      "button \"&Drugi\"\n"
      "key Down\n"  // arrows move to Ogólny and check it
      "button 921\nbutton 921\n"
      "key Enter\n");
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(got().name, text::cp1250_from_utf8("Próbka A"));
  EXPECT_EQ(got().radios[0], 0u);
  EXPECT_EQ(got().radios[1], 0u);
  EXPECT_EQ(got().radios[2], 1u);
  EXPECT_EQ(got().tri_clicks, 2);
  EXPECT_EQ(got().tri, 2u) << "two clicks on the program-driven 3-state box: indeterminate";
}

TEST_F(DialogResource, MissingTemplateGivesMinusOne) {
  use_script("");
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(12345), nullptr, proc, 0), -1);
  EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCEA(12345), nullptr, proc, 0), nullptr);
}

}  // namespace
}  // namespace plat::testing
