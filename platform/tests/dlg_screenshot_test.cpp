// Screenshots of every kind of standard control in a dialog, and of
// message boxes with each icon, for looking at (written to the test
// output folder, TSD_SHOT_DIR when set).
#include <cstdlib>

#include "platform/tests/dlg_test_support.h"

namespace plat::testing {
namespace {

std::string shot_path(const std::string& name) {
  const char* dir = std::getenv("TSD_SHOT_DIR");
  return (dir ? std::string(dir) + "/" : ::testing::TempDir()) + name;
}

INT_PTR filled_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) {
    for (const char* s : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta"})
      SendDlgItemMessageA(dlg, kListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendDlgItemMessageA(dlg, kListId, LB_SETCURSEL, 1, 0);
    for (const char* s : {"Linear", "Logarithmic"})
      SendDlgItemMessageA(dlg, kComboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendDlgItemMessageA(dlg, kComboId, CB_SETCURSEL, 0, 0);
    CheckRadioButton(dlg, kRadio1, kRadio3, kRadio2);
    CheckDlgButton(dlg, kCheck3, BST_INDETERMINATE);
    CheckDlgButton(dlg, 302, BST_CHECKED);
    SetDlgItemTextA(dlg, kEditId, "Sample 1.25e-3");
    SetDlgItemTextA(dlg, kPasswordId, "hidden");
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    EndDialog(dlg, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

class DialogScreenshot : public DialogTest {};

TEST_F(DialogScreenshot, StandardControls) {
  std::string a = shot_path("dlg_controls.png"), b = shot_path("dlg_controls_dropped.png");
  std::remove(a.c_str());
  std::remove(b.c_str());
  use_script("key Shift+End\nscreenshot \"" + a + "\"\nbutton 501\nscreenshot \"" + b + "\"\nkey Escape\nkey Escape\n");
  HWND owner = main_window();
  DialogTemplate t = test_dialog();
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &t, owner, filled_proc, 0), IDCANCEL);
  EXPECT_FALSE(readfile(a).empty()) << a;
  EXPECT_FALSE(readfile(b).empty()) << b;
}

TEST_F(DialogScreenshot, MultiLineReadOnlyEditWithTabsAndScrollBar) {
  std::string a = shot_path("dlg_table.png");
  std::remove(a.c_str());
  use_script("screenshot \"" + a + "\"\nkey Escape\n");
  HWND owner = main_window();
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.caption = "Table";
  t.cx = 200;
  t.cy = 100;
  t.font_face = "MS Sans Serif";
  t.font_size = 8;
  t.controls = {item("EDIT", "", 1027, WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | WS_TABSTOP, 5, 5, 190, 70),
             item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 75, 80, 50, 14)};
  struct P {
    static INT_PTR proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
      if (msg == WM_INITDIALOG) {
        std::string s = "T [K]\tI [pA]\tfit\r\n";
        for (int i = 0; i < 40; ++i)
          s += std::to_string(200 + i) + "\t" + std::to_string(i * i) + ".5\t" + std::to_string(i) + "\r\n";
        SetDlgItemTextA(dlg, 1027, s.c_str());
        return TRUE;
      }
      if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(dlg, LOWORD(wp));
        return TRUE;
      }
      return FALSE;
    }
  };
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &t, owner, P::proc, 0), IDCANCEL);
  EXPECT_FALSE(readfile(a).empty()) << a;
}

TEST_F(DialogScreenshot, MessageBoxIcons) {
  const UINT icons[] = {MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK};
  const char* names[] = {"stop", "question", "exclamation", "information"};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(names[i]);
    std::string a = shot_path(std::string("msgbox_") + names[i] + ".png");
    std::remove(a.c_str());
    use_script("screenshot \"" + a + "\"\nkey Enter\n");
    MessageBoxA(nullptr, "The file could not be read.\r\nDo you want to try again?", "Varnel", MB_YESNOCANCEL | icons[i]);
    EXPECT_FALSE(readfile(a).empty()) << a;
    restart();
  }
}

}  // namespace
}  // namespace plat::testing
