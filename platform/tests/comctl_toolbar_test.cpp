// The toolbar: buttons and gaps laid out from the button size, states set
// and read by command, clicks that send the command to the parent (none
// for a disabled button, a check button that stays down), and the tooltip
// that shows a tool's text once the pointer has rested over it.
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/gdi/gdi.h"
#include "platform/tests/dlg_test_support.h"
#include "tools/testkit/picture_output.h"

namespace plat::testing {
namespace {

std::vector<std::string>& commands() {
  static std::vector<std::string> v;
  return v;
}

LRESULT parent_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND) {
    commands().push_back(std::to_string(LOWORD(w)) + (l ? " from a control" : ""));
    return 0;
  }
  if (m == WM_NOTIFY) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(l);
    if (info->hdr.code == TTN_GETDISPINFOA) {
      std::snprintf(info->szText, sizeof info->szText, "Przycisk %d", static_cast<int>(info->hdr.idFrom));
      return 0;
    }
  }
  return DefWindowProcA(h, m, w, l);
}

class ToolbarTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    commands().clear();
  }
  HWND parent() {
    WNDCLASSA wc;
    wc.lpfnWndProc = parent_proc;
    wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
    wc.lpszClassName = "ToolbarParent";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "ToolbarParent", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 250, nullptr,
                           nullptr, nullptr, nullptr);
  }
  // Buttons 10 and 11, a gap, check button 12; images from a 3-image strip.
  HWND toolbar(HWND p, DWORD style = TBSTYLE_TOOLTIPS) {
    InitCommonControls();
    HWND tb = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, p,
                              reinterpret_cast<HMENU>(99), nullptr, nullptr);
    SendMessageA(tb, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 15));
    SendMessageA(tb, TB_SETBUTTONSIZE, 0, MAKELPARAM(22, 21));
    HDC screen = GetDC(nullptr);
    strip_ = CreateCompatibleBitmap(screen, 48, 15);
    ReleaseDC(nullptr, screen);
    TBADDBITMAP add;
    add.nID = reinterpret_cast<UINT_PTR>(strip_);
    EXPECT_EQ(SendMessageA(tb, TB_ADDBITMAP, 3, reinterpret_cast<LPARAM>(&add)), 0);
    TBBUTTON b[4];
    b[0].iBitmap = 0, b[0].idCommand = 10;
    b[1].iBitmap = 1, b[1].idCommand = 11;
    b[2].fsStyle = TBSTYLE_SEP, b[2].fsState = 0;
    b[3].iBitmap = 2, b[3].idCommand = 12, b[3].fsStyle = TBSTYLE_CHECK;
    EXPECT_TRUE(SendMessageA(tb, TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(b)));
    SendMessageA(tb, TB_AUTOSIZE, 0, 0);
    return tb;
  }
  void TearDown() override {
    DialogTest::TearDown();
    if (strip_) DeleteObject(strip_);
  }
  static std::string joined() {
    std::string s;
    for (const std::string& x : commands()) s += (s.empty() ? "" : ", ") + x;
    return s;
  }
  void run(HWND f) {
    MSG m;
    for (int i = 0; i < 5000 && IsWindow(f) && GetMessageA(&m, nullptr, 0, 0); ++i) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  HBITMAP strip_ = nullptr;
};

TEST_F(ToolbarTest, ButtonsAndGapsAreLaidOutAndStatesSetByCommand) {
  use_script("");
  HWND p = parent();
  HWND tb = toolbar(p);
  EXPECT_EQ(SendMessageA(tb, TB_BUTTONCOUNT, 0, 0), 4);
  struct Case {
    int index, left, right;
  };
  const Case cases[] = {{0, 2, 24}, {1, 24, 46}, {2, 46, 46 + kToolbarSeparator}, {3, 54, 76}};
  for (const Case& c : cases) {
    SCOPED_TRACE("button " + std::to_string(c.index));
    RECT r;
    ASSERT_TRUE(SendMessageA(tb, TB_GETITEMRECT, static_cast<WPARAM>(c.index), reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.right, c.right);
  }
  RECT w, pc;
  GetWindowRect(tb, &w);
  GetClientRect(p, &pc);
  EXPECT_EQ(w.right - w.left, pc.right) << "as wide as the parent";
  EXPECT_GT(w.bottom - w.top, 21);
  EXPECT_EQ(SendMessageA(tb, TB_COMMANDTOINDEX, 12, 0), 3);
  EXPECT_EQ(SendMessageA(tb, TB_COMMANDTOINDEX, 13, 0), -1);
  EXPECT_TRUE(SendMessageA(tb, TB_ENABLEBUTTON, 11, MAKELPARAM(FALSE, 0)));
  EXPECT_EQ(SendMessageA(tb, TB_GETSTATE, 11, 0), 0);
  EXPECT_FALSE(SendMessageA(tb, TB_ISBUTTONENABLED, 11, 0));
  EXPECT_TRUE(SendMessageA(tb, TB_CHECKBUTTON, 10, MAKELPARAM(TRUE, 0)));
  EXPECT_EQ(SendMessageA(tb, TB_GETSTATE, 10, 0), TBSTATE_ENABLED | TBSTATE_CHECKED);
  EXPECT_FALSE(SendMessageA(tb, TB_CHECKBUTTON, 13, MAKELPARAM(TRUE, 0))) << "no such button";
  EXPECT_EQ(SendMessageA(tb, TB_GETSTATE, 13, 0), -1);
  SendMessageA(tb, TB_SETSTATE, 10, MAKELPARAM(TBSTATE_ENABLED | TBSTATE_HIDDEN, 0));
  RECT r;
  SendMessageA(tb, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 2) << "a hidden button takes no room";
  DestroyWindow(p);
}

TEST_F(ToolbarTest, ClicksSendTheCommandAndACheckButtonStaysDown) {
  use_script("toolbar 10\ntoolbar 11\ntoolbar 12\ntoolbar 12\ntoolbar 12\n");
  HWND p = parent();
  HWND tb = toolbar(p);
  SendMessageA(tb, TB_ENABLEBUTTON, 11, MAKELPARAM(FALSE, 0));
  BYTE checked_after = 0;
  MSG m;
  int clicks_of_12 = 0;
  for (int i = 0; i < 5000 && IsWindow(p) && GetMessageA(&m, nullptr, 0, 0); ++i) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
    int now = 0;
    for (const std::string& c : commands()) now += c.rfind("12", 0) == 0 ? 1 : 0;
    if (now != clicks_of_12 && IsWindow(tb)) {
      clicks_of_12 = now;
      checked_after = static_cast<BYTE>(checked_after << 1 | (SendMessageA(tb, TB_ISBUTTONCHECKED, 12, 0) ? 1 : 0));
    }
  }
  EXPECT_EQ(joined(), "10 from a control, 12 from a control, 12 from a control, 12 from a control")
      << "nothing from the disabled button";
  EXPECT_EQ(checked_after, 0b101) << "checked, unchecked, checked";
}

TEST_F(ToolbarTest, TheTooltipShowsAfterTheDelayAndHidesOnPress) {
  use_script("move 13 14 in \"Frame\"\nwait 200\nmove 14 14 in \"Frame\"\nwait 600\n"
             "screenshot \"" + tsd::testkit::shotoutput("control_shots", "toolbar_tip.png") + "\"\n"
             "move 35 14 in \"Frame\"\nwait 600\npress 35 14 in \"Frame\"\nrelease 35 14 in \"Frame\"\nwait 50\n");
  HWND p = parent();
  HWND tb = toolbar(p);
  HWND tip = reinterpret_cast<HWND>(SendMessageA(tb, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 3) << "a tool per button";
  run(p);
  const std::string l = log();
  const std::size_t first = l.find("tooltip shown: \"Przycisk 10\"");
  const std::size_t second = l.find("tooltip shown: \"Przycisk 11\"");
  EXPECT_NE(first, std::string::npos) << l;
  EXPECT_NE(second, std::string::npos) << l;
  EXPECT_LT(first, second);
  EXPECT_EQ(l.find("tooltip shown", second + 1), std::string::npos) << "shown once each: " << l;
}

TEST_F(ToolbarTest, AStoredToolTextAndPopping) {
  use_script("");
  HWND p = parent();
  register_tooltip_class();
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "", WS_POPUP, 0, 0, 0, 0, p, nullptr, nullptr, nullptr);
  TOOLINFOA info;
  info.hwnd = p;
  info.uId = 1;
  info.rect = RECT{0, 0, 50, 50};
  char text[] = "Zapisany tekst";
  info.lpszText = text;
  EXPECT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
  EXPECT_TRUE(SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) << "the same tool again replaces it";
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
  EXPECT_FALSE(IsWindowVisible(tip));
  DestroyWindow(p);
}

}  // namespace
}  // namespace plat::testing
