// A screenshot of the trackbar, the up-down control beside its edit, the
// tab control and the progress bar in a dialog, and what must show in it:
// the thumb at its position, the up-down's number in its buddy, the
// selected tab raised above the others and the bar filled to its position.
#include "platform/comctl/comctl.h"
#include "platform/gdi/surface_png.h"
#include "platform/tests/dlg_test_support.h"
#include "tools/testkit/picture_output.h"
#include "tools/testkit/surface_pixels.h"

namespace plat::testing {
namespace {

using tsd::testkit::boundsof;
using tsd::testkit::countcolour;
using tsd::testkit::countother;
using tsd::testkit::describe;
using tsd::testkit::pixelat;
using tsd::testkit::syscolour;

constexpr int kTrackbar = 10, kBuddy = 20, kUpDown = 21, kTabs = 30, kProgress = 40;
constexpr int kTrackbarHighest = 20, kTrackbarPosition = 7, kProgressPosition = 60;

std::map<int, RECT> shown;  // where the controls were when the dialog ended
RECT tabs[2];                // the first two tabs on the screen

INT_PTR shot_proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) {
    SendDlgItemMessageA(dlg, kTrackbar, TBM_SETRANGE, TRUE, MAKELPARAM(0, kTrackbarHighest));
    SendDlgItemMessageA(dlg, kTrackbar, TBM_SETPOS, TRUE, kTrackbarPosition);
    SendDlgItemMessageA(dlg, kUpDown, UDM_SETRANGE, 0, MAKELPARAM(99, 0));
    SendDlgItemMessageA(dlg, kUpDown, UDM_SETPOS, 0, MAKELPARAM(42, 0));
    for (const char* s : {"Data", "Fit", "Output"}) {
      TCITEMA it;
      it.mask = TCIF_TEXT;
      it.pszText = const_cast<LPSTR>(s);
      SendDlgItemMessageA(dlg, kTabs, TCM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&it));
    }
    SendDlgItemMessageA(dlg, kTabs, TCM_SETCURSEL, 1, 0);
    SendDlgItemMessageA(dlg, kProgress, PBM_SETPOS, kProgressPosition, 0);
    return TRUE;
  }
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    shown = screen_places(dlg);
    HWND tab = GetDlgItem(dlg, kTabs);
    for (int i = 0; i < 2; ++i) {
      SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tabs[i]));
      MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&tabs[i]), 2);
    }
    EndDialog(dlg, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

class ComctlScreenshot : public DialogTest {};

TEST_F(ComctlScreenshot, TrackbarUpDownTabsInADialog) {
  std::string a = tsd::testkit::shotoutput("dialog_shots", "comctl_controls.png");
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
  t.controls = {item("msctls_trackbar32", "", kTrackbar, TBS_AUTOTICKS | WS_TABSTOP, 5, 5, 150, 20),
                item("EDIT", "", kBuddy, WS_BORDER | WS_TABSTOP, 5, 30, 50, 12),
                item("msctls_updown32", "", kUpDown, UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 10, 12),
                item("SysTabControl32", "", kTabs, WS_TABSTOP, 5, 48, 150, 70),
                item("msctls_progress32", "", kProgress, 0, 5, 122, 150, 10),
                item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 165, 5, 50, 14)};
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, &t, owner, shot_proc, 0), IDCANCEL);
  Surface shot;
  ASSERT_TRUE(ReadSurfacePng(a, &shot)) << a;
  const std::uint32_t white = syscolour(COLOR_BTNHIGHLIGHT), hot = syscolour(COLOR_HIGHLIGHT);

  // The thumb (the one column of the trackbar lit over its whole left
  // edge) stands where its position lies along the channel (the lit edge
  // under the channel runs its whole length).
  const RECT track = shown[kTrackbar];
  const RECT lit = boundsof(shot, white, track);
  int thumb = -1, thumbright = -1;
  for (int x = track.left; x < track.right; ++x) {
    if (countcolour(shot, white, RECT{x, track.top, x + 1, track.bottom}) < 10) continue;
    if (thumb < 0) thumb = x;
    thumbright = x;
  }
  ASSERT_GE(thumb, 0) << "no thumb in " << describe(track);
  for (int x = thumb + 1; x < track.right && pixelat(shot, x, lit.top) == white; ++x) thumbright = x;
  const double centre = (thumb + thumbright + 1) / 2.0;
  const double want = lit.left + (lit.right - lit.left) * kTrackbarPosition / static_cast<double>(kTrackbarHighest);
  EXPECT_NEAR(centre, want, 3.0) << "thumb " << thumb << ".." << thumbright << " on the channel " << describe(lit);

  // The up-down sits at its buddy's right and has put its number there.
  const RECT buddy = shown[kBuddy], updown = shown[kUpDown];
  EXPECT_GE(updown.left, buddy.right - 1) << describe(updown) << " beside " << describe(buddy);
  EXPECT_LE(updown.left, buddy.right + 2);
  EXPECT_GT(countother(shot, syscolour(COLOR_WINDOW), RECT{buddy.left + 2, buddy.top + 2, buddy.right - 2, buddy.bottom - 2}), 10)
      << "the number in the buddy";

  // The selected tab (the second) is raised: its lit top edge is above the
  // first tab's.
  const RECT first = boundsof(shot, white, RECT{tabs[0].left + 3, tabs[0].top - 4, tabs[0].right - 3, tabs[0].bottom});
  const RECT selected = boundsof(shot, white, RECT{tabs[1].left + 3, tabs[1].top - 4, tabs[1].right - 3, tabs[1].bottom});
  EXPECT_LT(selected.top, first.top) << describe(selected) << " above " << describe(first);

  // The bar is filled from its left to its position, in the highlight.
  const RECT bar = shown[kProgress];
  const RECT filled = boundsof(shot, hot, bar);
  const double end = bar.left + 2 + (bar.right - bar.left - 4) * kProgressPosition / 100.0;
  EXPECT_LE(filled.left, bar.left + 3) << describe(filled);
  EXPECT_NEAR(filled.right, end, 9.0) << describe(filled) << " in " << describe(bar);
}

}  // namespace
}  // namespace plat::testing
