// Routing of host input: mouse messages in client coordinates of the
// window under the pointer (or of the capture window), non-client clicks
// with their hit-test codes, double clicks for CS_DBLCLKS classes, keys to
// the focus window with the Shift and Ctrl state.
#include "platform/tests/user_test_support.h"

namespace plat::testing {
namespace {

using InputRouting = UserTest;

InputEvent mouse(InputKind k, HWND top, int x, int y, int button = 1, unsigned mods = 0) {
  InputEvent e;
  e.kind = k;
  e.window = top;
  e.pos = POINT{x, y};
  e.button = button;
  e.mods = mods;
  return e;
}

const Seen* first(UINT message) {
  for (const Seen& s : seen())
    if (s.message == message) return &s;
  return nullptr;
}

TEST_F(InputRouting, ClickReachesTheChildUnderThePointerInItsClientCoordinates) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 300, 200);
  HWND c = child(w, 7, 20, 30, 100, 50);
  drain();
  seen().clear();
  // Frame-relative (50, 70): client of w at (4, 23), so (46, 47) in w's
  // client, (26, 17) in the child's.
  host(mouse(InputKind::mouse_down, w, 50, 70, 1, kModShift));
  host(mouse(InputKind::mouse_up, w, 50, 70));
  drain();
  const Seen* down = first(WM_LBUTTONDOWN);
  ASSERT_NE(down, nullptr) << format(recorded(), {w, c});
  EXPECT_EQ(down->hwnd, c);
  EXPECT_EQ(GET_X_LPARAM(down->lparam), 26);
  EXPECT_EQ(GET_Y_LPARAM(down->lparam), 17);
  EXPECT_EQ(down->wparam, MK_LBUTTON | MK_SHIFT);
  const Seen* up = first(WM_LBUTTONUP);
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->wparam, 0u);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p.x, 150);
  EXPECT_EQ(p.y, 150);
}

TEST_F(InputRouting, CaptureTakesTheMouseOutsideWithNegativeCoordinates) {
  HWND a = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 200);
  drain();
  SetCapture(a);
  seen().clear();
  host(mouse(InputKind::mouse_move, a, -40, -50));
  drain();
  const Seen* mv = first(WM_MOUSEMOVE);
  ASSERT_NE(mv, nullptr);
  EXPECT_EQ(mv->hwnd, a);
  EXPECT_EQ(GET_X_LPARAM(mv->lparam), -44);
  EXPECT_EQ(GET_Y_LPARAM(mv->lparam), -73);
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputRouting, DoubleClickOnlyForClassesThatAskForIt) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  WNDCLASSA wc;
  wc.lpfnWndProc = CALLBACK_record;
  wc.lpszClassName = "NoDouble";
  RegisterClassA(&wc);
  HWND plain = CreateWindowExA(0, "NoDouble", "", WS_CHILD | WS_VISIBLE, 150, 0, 100, 100, w, nullptr, nullptr, nullptr);
  drain();
  seen().clear();
  for (int i = 0; i < 2; ++i) {
    host(mouse(InputKind::mouse_down, w, 30, 40));
    host(mouse(InputKind::mouse_up, w, 30, 40));
  }
  for (int i = 0; i < 2; ++i) {
    host(mouse(InputKind::mouse_down, w, 200, 40));
    host(mouse(InputKind::mouse_up, w, 200, 40));
  }
  drain();
  std::vector<UINT> got_w, got_plain;
  for (const Seen& s : recorded({WM_NCHITTEST, WM_GETTEXT, WM_MOUSEMOVE, WM_SETCURSOR}))
    if (s.message >= WM_LBUTTONDOWN && s.message <= WM_LBUTTONDBLCLK) (s.hwnd == w ? got_w : got_plain).push_back(s.message);
  const std::vector<UINT> want_w = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
  const std::vector<UINT> want_plain = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP};
  EXPECT_EQ(got_w, want_w);
  EXPECT_EQ(got_plain, want_plain);
  (void)plain;
}

TEST_F(InputRouting, NonClientClicksCarryTheirHitTestCode) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 300, 200);
  drain();
  struct Case {
    const char* where;
    POINT frame_pt;
    LRESULT hit;
  };
  // Frame 4, caption 19 (rows 4..22), buttons 16 x 14 from the right.
  const Case cases[] = {
      {"caption", {100, 10}, HTCAPTION},     {"close box", {300 - 4 - 2 - 8, 12}, HTCLOSE},
      {"maximise box", {300 - 4 - 2 - 18 - 8, 12}, HTMAXBUTTON},
      {"minimise box", {300 - 4 - 2 - 18 - 16 - 8, 12}, HTMINBUTTON},
      {"system menu box", {10, 10}, HTSYSMENU}, {"left border", {1, 100}, HTLEFT},
      {"bottom right corner", {298, 198}, HTBOTTOMRIGHT}, {"top border", {150, 1}, HTTOP},
      {"client", {150, 100}, HTCLIENT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    POINT s{100 + c.frame_pt.x, 80 + c.frame_pt.y};
    EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(s.x, s.y)), c.hit);
  }
  seen().clear();
  host(mouse(InputKind::mouse_down, w, 100, 10));
  host(mouse(InputKind::mouse_up, w, 100, 10));
  drain();
  const Seen* nc = first(WM_NCLBUTTONDOWN);
  ASSERT_NE(nc, nullptr) << format(recorded(), {w});
  EXPECT_EQ(static_cast<LRESULT>(nc->wparam), HTCAPTION);
  EXPECT_EQ(GET_X_LPARAM(nc->lparam), 200) << "screen coordinates";
}

TEST_F(InputRouting, CaptionDragMovesAndBorderDragSizes) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 300, 200);
  drain();
  host(mouse(InputKind::mouse_down, w, 100, 10));
  host(mouse(InputKind::mouse_move, w, 130, 30));
  host(mouse(InputKind::mouse_up, w, 130, 30));
  drain();
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r.left, 130);
  EXPECT_EQ(r.top, 100);
  host(mouse(InputKind::mouse_down, w, 298, 198));
  host(mouse(InputKind::mouse_move, w, 318, 228));
  host(mouse(InputKind::mouse_up, w, 318, 228));
  drain();
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 320);
  EXPECT_EQ(r.bottom - r.top, 230);
}

TEST_F(InputRouting, CloseBoxClickClosesThroughWmClose) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 300, 200);
  drain();
  seen().clear();
  RECT box = close_box_rect(w);
  POINT p{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  host(mouse(InputKind::mouse_down, w, p.x, p.y));
  host(mouse(InputKind::mouse_up, w, p.x, p.y));
  drain();
  std::vector<UINT> order;
  for (const Seen& s : seen())
    if (s.message == WM_NCLBUTTONDOWN || s.message == WM_SYSCOMMAND || s.message == WM_CLOSE || s.message == WM_DESTROY)
      order.push_back(s.message);
  const std::vector<UINT> want = {WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY};
  EXPECT_EQ(order, want);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(InputRouting, KeysGoToTheFocusWindowWithTheirModifierState) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND c = child(w, 3, 0, 0, 50, 50);
  SetFocus(c);
  drain();
  seen().clear();
  short ctrl_during = 0;
  struct Probe {
    static LRESULT proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
      if (m == WM_KEYDOWN && wp == VK_F(1)) *reinterpret_cast<short*>(GetPropA(h, "probe")) = GetKeyState(VK_CONTROL);
      return CALLBACK_record(h, m, wp, lp);
    }
  };
  SetPropA(c, "probe", &ctrl_during);
  SetWindowLongPtrA(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Probe::proc));
  InputEvent e;
  e.kind = InputKind::key_down;
  e.vk = VK_CONTROL;
  e.mods = kModCtrl;
  host(e);
  e.vk = VK_F(1);
  host(e);
  e.kind = InputKind::key_up;
  host(e);
  e.vk = VK_CONTROL;
  e.mods = 0;
  host(e);
  drain();
  EXPECT_LT(ctrl_during, 0) << "Ctrl is down while its F1 is handled";
  EXPECT_GE(GetKeyState(VK_CONTROL), 0) << "and up after its key-up was taken";
  const Seen* f1 = nullptr;
  for (const Seen& s : seen())
    if (s.message == WM_KEYDOWN && s.wparam == VK_F(1)) f1 = &s;
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(f1->hwnd, c);
  EXPECT_EQ(first(WM_CHAR), nullptr) << "F1 types nothing";
}

TEST_F(InputRouting, CharactersOfKeysAndText) {
  ASSERT_NE(top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE), nullptr);
  drain();
  struct Case {
    UINT vk;
    unsigned mods;
    std::string host_text;
    int want;  // -1: no WM_CHAR
  };
  const Case cases[] = {
      {VK_RETURN, 0, "", 13},   {VK_ESCAPE, 0, "", 27},  {VK_TAB, kModShift, "", 9}, {'A', 0, "", 'a'},
      {'A', kModCtrl, "", 1},   {'1', kModShift, "", '!'}, {VK_F(5), 0, "", -1},
      {VK_OEM_PERIOD, 0, "", '.'}, {'A', 0, "\xB9", 0xB9},  // the host typed "ą" with that key
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("vk " + std::to_string(c.vk) + " mods " + std::to_string(c.mods));
    seen().clear();
    InputEvent e;
    e.kind = InputKind::key_down;
    e.vk = c.vk;
    e.mods = c.mods;
    e.text = c.host_text;
    // The modifier keys themselves, so the key state follows.
    if (c.mods & kModShift) note_async_key(VK_SHIFT, true);
    host(e);
    drain();
    const Seen* ch = first(WM_CHAR);
    if (c.want < 0) {
      EXPECT_EQ(ch, nullptr);
    } else {
      ASSERT_NE(ch, nullptr);
      EXPECT_EQ(ch->wparam, static_cast<WPARAM>(c.want));
    }
    e.kind = InputKind::key_up;
    host(e);
    drain();
  }
}

TEST_F(InputRouting, DisabledWindowTakesNoClick) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  drain();
  EXPECT_FALSE(EnableWindow(w, FALSE));
  EXPECT_FALSE(IsWindowEnabled(w));
  seen().clear();
  host(mouse(InputKind::mouse_down, w, 50, 50));
  drain();
  EXPECT_EQ(first(WM_LBUTTONDOWN), nullptr);
  EXPECT_TRUE(EnableWindow(w, TRUE)) << "returns that it was disabled";
}

}  // namespace
}  // namespace plat::testing
