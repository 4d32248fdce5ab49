// A screenshot of the trackbar, the up-down control beside its edit, the
// tab control and the progress bar in a dialog, for looking at.
#include <cstdlib>

#include "platform/comctl/comctl.h"
#include "platform/tests/dlg_test_support.h"

namespace plat::testing {
namespace {

INT_PTR shot_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) {
    SendDlgItemMessageA(dlg, 10, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
    SendDlgItemMessageA(dlg, 10, TBM_SETPOS, TRUE, 7);
    SendDlgItemMessageA(dlg, 21, UDM_SETRANGE, 0, MAKELPARAM(99, 0));
    SendDlgItemMessageA(dlg, 21, UDM_SETPOS, 0, MAKELPARAM(42, 0));
    for (const char* s : {"Data", "Fit", "Output"}) {
      TCITEMA it;
      it.mask = TCIF_TEXT;
      it.pszText = const_cast<LPSTR>(s);
      SendDlgItemMessageA(dlg, 30, TCM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&it));
    }
    SendDlgItemMessageA(dlg, 30, TCM_SETCURSEL, 1, 0);
    SendDlgItemMessageA(dlg, 40, PBM_SETPOS, 60, 0);
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    EndDialog(dlg, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

class ComctlScreenshot : public DialogTest {};

TEST_F(ComctlScreenshot, TrackbarUpDownTabsInADialog) {
  const char* dir = std::getenv("TSD_SHOT_DIR");
  std::string a = (dir ? std::string(dir) + "/" : ::testing::TempDir()) + "comctl_controls.png";
  std::remove(a.c_str());
  use_script("screenshot \"" + a + "\"\nkey Escape\n");
  HWND owner = main_window();
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t.caption = "Controls";
  t.cx = 220;
  t.cy = 140;
  t.font_face = "MS Sans Serif";
  t.font_size = 8;
  t.controls = {item("msctls_trackbar32", "", 10, TBS_AUTOTICKS | WS_TABSTOP, 5, 5, 150, 20),
                item("EDIT", "", 20, WS_BORDER | WS_TABSTOP, 5, 30, 50, 12),
                item("msctls_updown32", "", 21, UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 10, 12),
                item("SysTabControl32", "", 30, WS_TABSTOP, 5, 48, 150, 70),
                item("msctls_progress32", "", 40, 0, 5, 122, 150, 10),
                item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 165, 5, 50, 14)};
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &t, owner, shot_proc, 0), IDCANCEL);
  EXPECT_FALSE(readfile(a).empty()) << a;
}

}  // namespace
}  // namespace plat::testing
