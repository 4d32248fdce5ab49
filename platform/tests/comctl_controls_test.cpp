// The trackbar, the up-down control and the tab control: their messages
// set and read back, and scripted keys and clicks that change them with the
// notifications their parent expects.
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/tests/dlg_test_support.h"

namespace plat::testing {
namespace {

// What the parent frame was told, as readable lines: "H 5 50" is WM_HSCROLL
// with code 5 and position 50, "N -722 3 1" a WM_NOTIFY up-down step from
// 3 by 1, "N -551" a tab selection change.
std::vector<std::string>& told() {
  static std::vector<std::string> v;
  return v;
}
LRESULT g_refuse = 0;  // the frame's answer to UDN_DELTAPOS and TCN_SELCHANGING

LRESULT frame_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_HSCROLL || m == WM_VSCROLL) {
    told().push_back(std::string(m == WM_HSCROLL ? "H " : "V ") + std::to_string(LOWORD(w)) + " " +
                     std::to_string(static_cast<std::int16_t>(HIWORD(w))));
    return 0;
  }
  if (m == WM_NOTIFY) {
    const NMHDR* nm = reinterpret_cast<const NMHDR*>(l);
    std::string s = "N " + std::to_string(static_cast<int>(nm->code));
    if (nm->code == UDN_DELTAPOS) {
      const NMUPDOWN* ud = reinterpret_cast<const NMUPDOWN*>(l);
      s += " " + std::to_string(ud->iPos) + " " + std::to_string(ud->iDelta);
    }
    told().push_back(s);
    return nm->code == UDN_DELTAPOS || nm->code == TCN_SELCHANGING ? g_refuse : 0;
  }
  return DefWindowProcA(h, m, w, l);
}

std::string window_text_of(HWND h) {
  char buf[64] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

std::string joined(const std::vector<std::string>& v) {
  std::string s;
  for (const std::string& x : v) s += (s.empty() ? "" : ", ") + x;
  return s;
}

class ComctlTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    told().clear();
    g_refuse = 0;
  }
  // A visible frame "Frame" that records what its controls tell it.
  HWND frame() {
    WNDCLASSA wc;
    wc.lpfnWndProc = frame_proc;
    wc.hbrBackground = SysColorAsBrush(COLOR_BTNFACE);
    wc.lpszClassName = "ComctlFrame";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "ComctlFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 250, nullptr,
                           nullptr, nullptr, nullptr);
  }
  HWND control(const char* cls, DWORD style, HWND parent, int id, int x, int y, int w, int h) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
  }
  // Runs the script to its end: the frame is closed then.
  void run(HWND f) {
    MSG m;
    for (int i = 0; i < 5000 && IsWindow(f) && GetMessageA(&m, nullptr, 0, 0); ++i) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
};

TEST_F(ComctlTest, TrackbarRangePositionAndSteps) {
  use_script("");
  HWND f = frame();
  HWND tb = control("msctls_trackbar32", TBS_AUTOTICKS, f, 10, 10, 10, 200, 30);
  ASSERT_NE(tb, nullptr);
  SendMessageA(tb, TBM_SETRANGE, TRUE, MAKELPARAM(-10, 40));
  EXPECT_EQ(SendMessageA(tb, TBM_GETRANGEMIN, 0, 0), -10);
  EXPECT_EQ(SendMessageA(tb, TBM_GETRANGEMAX, 0, 0), 40);
  SendMessageA(tb, TBM_SETPOS, TRUE, 99);
  EXPECT_EQ(SendMessageA(tb, TBM_GETPOS, 0, 0), 40) << "cut to the maximum";
  SendMessageA(tb, TBM_SETPOS, TRUE, -99);
  EXPECT_EQ(SendMessageA(tb, TBM_GETPOS, 0, 0), -10) << "cut to the minimum";
  EXPECT_EQ(SendMessageA(tb, TBM_SETPAGESIZE, 0, 7), 20) << "previous page size";
  EXPECT_EQ(SendMessageA(tb, TBM_SETLINESIZE, 0, 2), 1) << "previous line size";
  EXPECT_EQ(SendMessageA(tb, TBM_GETPAGESIZE, 0, 0), 7);
  EXPECT_EQ(SendMessageA(tb, TBM_GETLINESIZE, 0, 0), 2);
  SendMessageA(tb, TBM_SETSEL, FALSE, MAKELPARAM(0, 15));
  EXPECT_EQ(SendMessageA(tb, TBM_GETSELSTART, 0, 0), 0);
  EXPECT_EQ(SendMessageA(tb, TBM_GETSELEND, 0, 0), 15);
  SendMessageA(tb, TBM_CLEARSEL, FALSE, 0);
  EXPECT_EQ(SendMessageA(tb, TBM_GETSELEND, 0, 0), 0);
  EXPECT_TRUE(told().empty()) << "messages notify nothing: " << joined(told());
  EXPECT_EQ(SendMessageA(tb, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
  DestroyWindow(f);
}

TEST_F(ComctlTest, TrackbarKeysMoveAndNotify) {
  struct Case {
    const char* keys;
    const char* told;
  } cases[] = {
      {"Right", "H 1 0, H 8 0"},   {"Left", "H 0 0, H 8 0"},      {"Down", "H 1 0, H 8 0"},
      {"Up", "H 0 0, H 8 0"},      {"PageDown", "H 3 0, H 8 0"},  {"PageUp", "H 2 0, H 8 0"},
      {"End", "H 7 0, H 8 0"},     {"Home", "H 6 0, H 8 0"},      {"PageUp PageUp", "H 2 0, H 8 0, H 2 0, H 8 0"},
      {"Tab", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    restart();
    told().clear();
    use_script(std::string("key ") + c.keys + "\n");
    HWND f = frame();
    HWND tb = control("msctls_trackbar32", 0, f, 10, 10, 10, 200, 30);
    SendMessageA(tb, TBM_SETRANGE, FALSE, MAKELPARAM(-10, 40));
    SendMessageA(tb, TBM_SETPOS, FALSE, 10);
    SendMessageA(tb, TBM_SETLINESIZE, 0, 2);
    SendMessageA(tb, TBM_SETPAGESIZE, 0, 7);
    SetFocus(tb);
    run(f);
    EXPECT_EQ(joined(told()), c.told);
  }
}

TEST_F(ComctlTest, TrackbarKeyPositionsAndVerticalCodes) {
  use_script("key Right Right PageDown End Left\n");
  HWND f = frame();
  HWND tb = control("msctls_trackbar32", 0, f, 10, 10, 10, 200, 30);
  HWND vt = control("msctls_trackbar32", TBS_VERT, f, 11, 250, 10, 30, 150);
  SendMessageA(tb, TBM_SETRANGE, FALSE, MAKELPARAM(0, 50));
  SetFocus(tb);
  int before_end = -1;
  MSG m;
  while (IsWindow(f) && GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    if (told().size() == 6 && before_end < 0) before_end = static_cast<int>(SendMessageA(tb, TBM_GETPOS, 0, 0));
    if (told().size() == 10) {
      EXPECT_EQ(SendMessageA(tb, TBM_GETPOS, 0, 0), 49) << "End then Left";
      break;
    }
  }
  EXPECT_EQ(before_end, 22) << "two lines and a page";
  ASSERT_TRUE(IsWindow(f));
  told().clear();
  SendMessageA(vt, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(vt, WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(joined(told()), "V 1 0, V 8 0") << "a vertical trackbar reports WM_VSCROLL";
  EXPECT_EQ(SendMessageA(vt, TBM_GETPOS, 0, 0), 1);
  DestroyWindow(f);
}

TEST_F(ComctlTest, TrackbarMouseDragAndPageClick) {
  // Range 0..100 on a 200-pixel trackbar at (10, 10): the channel runs from
  // client x 8 to 192, so position p is at frame x 18 + 184 p / 100.
  use_script("press 18 24 in \"Frame\"\nmove 60 24 in \"Frame\"\nmove 110 24 in \"Frame\"\nrelease 110 24 in \"Frame\"\n"
             "click 200 24 in \"Frame\"\n");
  HWND f = frame();
  HWND tb = control("msctls_trackbar32", TBS_AUTOTICKS, f, 10, 10, 10, 200, 30);
  int at_release = -1;
  MSG m;
  while (IsWindow(f) && GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    if (at_release < 0 && !told().empty() && told().back() == "H 8 0")
      at_release = static_cast<int>(SendMessageA(tb, TBM_GETPOS, 0, 0));
    if (told().size() >= 6) break;
  }
  EXPECT_EQ(at_release, 50);
  EXPECT_EQ(joined(told()), "H 5 23, H 5 50, H 4 50, H 8 0, H 3 0, H 8 0")
      << "drag: track, track, position, end; then a click right of the thumb pages";
  if (IsWindow(f)) {
    EXPECT_EQ(SendMessageA(tb, TBM_GETPOS, 0, 0), 70);
    EXPECT_EQ(GetFocus(), tb) << "a click focuses the trackbar";
    DestroyWindow(f);
  }
}

TEST_F(ComctlTest, UpDownRangePositionAndBuddy) {
  use_script("");
  HWND f = frame();
  HWND edit = control("EDIT", WS_BORDER, f, 20, 10, 10, 80, 20);
  HWND ud = control("msctls_updown32", UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS, f, 21, 0, 0,
                    16, 10);
  ASSERT_NE(ud, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_GETBUDDY, 0, 0)), edit) << "the window made before";
  RECT er, ur;
  GetWindowRect(edit, &er);
  GetWindowRect(ud, &ur);
  EXPECT_EQ(er.right - er.left, 64) << "the buddy gives up the control's width";
  EXPECT_EQ(ur.left, er.right) << "placed at the buddy's right";
  EXPECT_EQ(ur.bottom - ur.top, 20) << "as high as the buddy";
  EXPECT_EQ(SendMessageA(ud, UDM_GETRANGE, 0, 0), MAKELPARAM(0, 100)) << "default: upper 0, lower 100";
  SendMessageA(ud, UDM_SETRANGE, 0, MAKELPARAM(50, -5));
  EXPECT_EQ(SendMessageA(ud, UDM_GETRANGE, 0, 0), MAKELPARAM(50, -5));
  EXPECT_EQ(SendMessageA(ud, UDM_SETPOS, 0, MAKELPARAM(12, 0)), 0) << "previous position";
  EXPECT_EQ(window_text_of(edit), "12") << "the buddy shows the position";
  EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), MAKELPARAM(12, 0));
  SendMessageA(ud, UDM_SETPOS, 0, MAKELPARAM(80, 0));
  EXPECT_EQ(LOWORD(SendMessageA(ud, UDM_GETPOS, 0, 0)), 50) << "cut to the range";
  SetWindowTextA(edit, " 33 ");
  EXPECT_EQ(SendMessageA(ud, UDM_GETPOS, 0, 0), MAKELPARAM(33, 0)) << "read back from the buddy";
  for (const char* bad : {"abc", "", "7x", "51", "-6"}) {
    SCOPED_TRACE(bad);
    SetWindowTextA(edit, bad);
    LRESULT r = SendMessageA(ud, UDM_GETPOS, 0, 0);
    EXPECT_NE(HIWORD(r), 0) << "not a number in range: error in the high word";
    EXPECT_EQ(LOWORD(r), 33) << "the position is kept";
  }
  SendMessageA(ud, UDM_SETRANGE32, 1000, 100000);
  SendMessageA(ud, UDM_SETPOS32, 0, 70000);
  BOOL err = TRUE;
  EXPECT_EQ(SendMessageA(ud, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&err)), 70000);
  EXPECT_FALSE(err);
  UDACCEL acc[2] = {{0, 5}, {2, 20}};
  EXPECT_TRUE(SendMessageA(ud, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(acc)));
  UDACCEL back[2];
  EXPECT_EQ(SendMessageA(ud, UDM_GETACCEL, 2, reinterpret_cast<LPARAM>(back)), 2);
  EXPECT_EQ(back[1].nInc, 20u);
  DestroyWindow(f);
}

TEST_F(ComctlTest, UpDownArrowsAndClicksStepWithNotifications) {
  // The control ends up at frame (74, 10), 16 x 20: its upper half is
  // around y 14, its lower half around y 25.
  use_script("key Up Up Down\nclick 82 14 in \"Frame\"\nclick 82 25 in \"Frame\"\n");
  HWND f = frame();
  HWND edit = control("EDIT", WS_BORDER, f, 20, 10, 10, 80, 20);
  HWND ud = control("msctls_updown32", UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_ARROWKEYS, f, 21, 0, 0,
                    16, 10);
  SendMessageA(ud, UDM_SETRANGE, 0, MAKELPARAM(4, 0));
  SendMessageA(ud, UDM_SETPOS, 0, MAKELPARAM(3, 0));
  SetFocus(edit);
  std::string at_end;
  MSG m;
  while (IsWindow(f) && GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    if (told().size() == 12 && at_end.empty()) at_end = window_text_of(edit);
  }
  EXPECT_EQ(joined(told()),
            "N -722 3 1, V 4 4, V 8 4, N -722 4 1, V 4 4, V 8 4, N -722 4 -1, V 4 3, V 8 3, "
            "N -722 3 1, V 4 4, V 8 4, N -722 4 -1, V 4 3, V 8 3")
      << "Up at the upper end stays there; each step offered, reported, ended";
  EXPECT_EQ(at_end, "4");
}

INT_PTR quiet_proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG ? TRUE : FALSE; }

TEST_F(ComctlTest, UpDownInADialogTakesTheControlMadeJustBefore) {
  // Dialogs stack their controls first in front, so the buddy is found by
  // creation order, not by the window below in the stack.
  use_script("");
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
  t.caption = "Buddies";
  t.cx = 200;
  t.cy = 80;
  t.font_face = "MS Sans Serif";
  t.font_size = 8;
  t.controls = {item("EDIT", "", 20, WS_BORDER | WS_TABSTOP, 5, 5, 50, 12),
                item("STATIC", "Krok", 25, SS_LEFT, 60, 5, 30, 8),
                item("EDIT", "", 26, WS_BORDER | WS_TABSTOP, 5, 25, 50, 12),
                item("msctls_updown32", "", 27, UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT, 0, 0, 10, 12),
                item("BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 140, 5, 50, 14)};
  HWND dlg = CreateDialogIndirectParamA(nullptr, &t, nullptr, quiet_proc, 0);
  ASSERT_NE(dlg, nullptr);
  HWND ud = GetDlgItem(dlg, 27);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(ud, UDM_GETBUDDY, 0, 0)), GetDlgItem(dlg, 26));
  SendMessageA(ud, UDM_SETPOS, 0, MAKELPARAM(7, 0));
  EXPECT_EQ(window_text_of(GetDlgItem(dlg, 26)), "7");
  EXPECT_EQ(window_text_of(GetDlgItem(dlg, 20)), "");
  DestroyWindow(dlg);
}

TEST_F(ComctlTest, UpDownRefusedStepAndWrap) {
  use_script("");
  HWND f = frame();
  HWND edit = control("EDIT", WS_BORDER, f, 20, 10, 10, 80, 20);
  HWND ud = control("msctls_updown32", UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_WRAP, f, 21, 90, 10, 16, 20);
  SendMessageA(ud, UDM_SETRANGE, 0, MAKELPARAM(9, 0));
  SendMessageA(ud, UDM_SETPOS, 0, MAKELPARAM(9, 0));
  SendMessageA(edit, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(window_text_of(edit), "0") << "past the upper end wraps to the lower";
  g_refuse = 1;
  told().clear();
  SendMessageA(edit, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(window_text_of(edit), "0") << "the parent refused the step";
  EXPECT_EQ(joined(told()), "N -722 0 1") << "offered, not reported";
  DestroyWindow(f);
}

// Three tabs "Data", "Fit", "Output" in a fresh tab control.
HWND make_tabs(HWND tab) {
  const char* names[] = {"Data", "Fit", "Output"};
  for (int i = 0; i < 3; ++i) {
    TCITEMA it;
    it.mask = TCIF_TEXT | TCIF_PARAM;
    it.pszText = const_cast<LPSTR>(names[i]);
    it.lParam = 100 + i;
    EXPECT_EQ(SendMessageA(tab, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it)), i);
  }
  return tab;
}

TEST_F(ComctlTest, TabItemsSelectionAndNotifications) {
  // Where the second tab is, measured on a first control of the same size.
  use_script("");
  HWND f = frame();
  RECT r1;
  ASSERT_TRUE(SendMessageA(make_tabs(control("SysTabControl32", 0, f, 30, 10, 10, 300, 150)), TCM_GETITEMRECT, 1,
                           reinterpret_cast<LPARAM>(&r1)));
  DestroyWindow(f);
  int x = 10 + (r1.left + r1.right) / 2, y = 10 + (r1.top + r1.bottom) / 2;
  restart();
  use_script("click " + std::to_string(x) + " " + std::to_string(y) + " in \"Frame\"\nkey Left\nidle\n");
  f = frame();
  HWND tab = control("SysTabControl32", WS_TABSTOP, f, 30, 10, 10, 300, 150);
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), -1) << "no tabs, no selection";
  make_tabs(tab);
  EXPECT_EQ(SendMessageA(tab, TCM_INSERTITEMA, 0, 0), -1) << "no item";
  EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0) << "the first tab is selected";
  char buf[4] = {};
  TCITEMA get;
  get.mask = TCIF_TEXT | TCIF_PARAM;
  get.pszText = buf;
  get.cchTextMax = sizeof buf;
  EXPECT_TRUE(SendMessageA(tab, TCM_GETITEMA, 2, reinterpret_cast<LPARAM>(&get)));
  EXPECT_STREQ(buf, "Out") << "cut to the buffer, terminated";
  EXPECT_EQ(get.lParam, 102);
  EXPECT_FALSE(SendMessageA(tab, TCM_GETITEMA, 3, reinterpret_cast<LPARAM>(&get))) << "no such tab";
  EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 2, 0), 0) << "previous selection";
  EXPECT_EQ(SendMessageA(tab, TCM_SETCURSEL, 5, 0), -1) << "out of range";
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_TRUE(told().empty()) << "TCM_SETCURSEL notifies nothing: " << joined(told());

  // A click on the second tab, then Left, then a refused Right.
  MSG m;
  while (IsWindow(f) && told().size() < 4 && GetMessageA(&m, nullptr, 0, 0)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  ASSERT_TRUE(IsWindow(f));
  EXPECT_EQ(joined(told()), "N -552, N -551, N -552, N -551") << "asked, then told, for the click and for Left";
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(GetFocus(), tab);
  g_refuse = 1;
  told().clear();
  SendMessageA(tab, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(joined(told()), "N -552") << "refused: not told";
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(SendMessageA(tab, TCM_DELETEITEM, 0, 0));
  EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0) << "the next tab takes the selection";
  EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
  RECT page{0, 0, 300, 150};
  SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  RECT win = page;
  SendMessageA(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&win));
  EXPECT_GT(page.top, r1.bottom) << "the page lies below the tabs";
  EXPECT_EQ(win.top, 0);
  EXPECT_EQ(win.right, 300) << "the two directions undo each other";
  DestroyWindow(f);
}

}  // namespace
}  // namespace plat::testing
