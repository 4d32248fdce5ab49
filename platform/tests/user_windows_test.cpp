// Window records and geometry: frame sizing, client and window rectangles,
// coordinate mapping, z-order, window data, properties, text, timers and
// nested message loops.
#include "platform/tests/user_test_support.h"

namespace plat::testing {
namespace {

using Windows = UserTest;

TEST_F(Windows, AdjustWindowRectGrowsTheClientToTheFrame) {
  struct Case {
    const char* what;
    DWORD style;
    BOOL menu;
    RECT want;  // for a client of (0,0)-(200,100)
  };
  const Case cases[] = {
      {"sizing frame with caption", WS_OVERLAPPEDWINDOW, FALSE, {-4, -23, 204, 104}},
      {"and a menu bar", WS_OVERLAPPEDWINDOW, TRUE, {-4, -42, 204, 104}},
      {"fixed frame with caption", WS_CAPTION | WS_SYSMENU, FALSE, {-3, -22, 203, 103}},
      {"thin border", WS_POPUP | WS_BORDER, FALSE, {-1, -1, 201, 101}},
      {"no frame", WS_POPUP, FALSE, {0, 0, 200, 100}},
      {"a child has no menu bar", WS_CHILD | WS_BORDER, TRUE, {-1, -1, 201, 101}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RECT r = make_rect(0, 0, 200, 100);
    AdjustWindowRect(&r, c.style, c.menu);
    EXPECT_EQ(r.left, c.want.left);
    EXPECT_EQ(r.top, c.want.top);
    EXPECT_EQ(r.right, c.want.right);
    EXPECT_EQ(r.bottom, c.want.bottom);
  }
}

TEST_F(Windows, AWindowCreatedWithTheAdjustedSizeHasTheRequestedClient) {
  RECT r = make_rect(0, 0, 819, 614);
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME;
  AdjustWindowRect(&r, style, FALSE);
  HWND w = top("Root", style | WS_VISIBLE, 103, 77, r.right - r.left, r.bottom - r.top);
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c.right, 819);
  EXPECT_EQ(c.bottom, 614);
  POINT p{0, 0};
  ClientToScreen(w, &p);
  EXPECT_EQ(p.x, 103 + 4);
  EXPECT_EQ(p.y, 77 + 23);
  HWND cl = child(w, 1, 0, 0, 819, 614, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  POINT q{10, 20};
  ClientToScreen(cl, &q);
  EXPECT_EQ(q.x, 117);
  EXPECT_EQ(q.y, 120);
  ScreenToClient(cl, &q);
  EXPECT_EQ(q.x, 10);
  EXPECT_EQ(q.y, 20);
  EXPECT_EQ(WindowFromPoint(POINT{117, 120}), cl);
  EXPECT_EQ(GetParent(cl), w);
  EXPECT_EQ(GetDlgItem(w, 1), cl);
}

TEST_F(Windows, ZOrderTopmostAndBringToTop) {
  HWND a = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND t = CreateWindowExA(WS_EX_TOPMOST, "Recorder", "T", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                           nullptr, nullptr, nullptr);
  HWND b = top("B", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  EXPECT_EQ(GetWindow(t, GW_HWNDFIRST), t) << "a topmost window stays in front";
  EXPECT_EQ(GetWindow(t, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  BringWindowToTop(a);
  EXPECT_EQ(GetWindow(t, GW_HWNDNEXT), a);
  EXPECT_EQ(GetActiveWindow(), a);
  SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(t, GW_HWNDLAST), a);
  SetWindowPos(t, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindowLongA(t, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(Windows, MoveWindowSendsMoveAndSize) {
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND c = child(w, 1, 10, 10, 50, 50);
  seen().clear();
  MoveWindow(c, 20, 30, 60, 40, TRUE);
  RECT r;
  GetWindowRect(c, &r);
  POINT o{0, 0};
  ClientToScreen(w, &o);
  EXPECT_EQ(r.left, o.x + 20);
  EXPECT_EQ(r.bottom, o.y + 70);
  const std::vector<Expect> want = {{1, WM_SIZE}, {1, WM_MOVE}};
  expect_sequence(want, {w, c});
  RECT u;
  EXPECT_TRUE(GetUpdateRect(w, &u, FALSE)) << "the parent repaints where the child was";
  EXPECT_TRUE(GetUpdateRect(c, &u, FALSE));
}

LRESULT subclass_proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_USER) return 42;
  auto old = reinterpret_cast<WNDPROC>(GetPropA(h, "old"));
  return CallWindowProcA(old, h, m, w, l);
}

TEST_F(Windows, SubclassingPropertiesUserDataAndText) {
  HWND w = top("Tytuł", WS_OVERLAPPEDWINDOW);
  auto old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclass_proc)));
  EXPECT_EQ(old, &CALLBACK_record);
  SetPropA(w, "old", reinterpret_cast<HANDLE>(old));
  EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 42);
  seen().clear();
  SendMessageA(w, WM_USER + 5, 0, 0);
  ASSERT_EQ(seen().size(), 1u) << "other messages reach the old procedure";
  EXPECT_EQ(RemovePropA(w, "old"), reinterpret_cast<HANDLE>(old));
  EXPECT_EQ(GetPropA(w, "old"), nullptr);

  SetWindowLongPtrA(w, GWLP_USERDATA, 1234);
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 1234);
  DWORD style = static_cast<DWORD>(GetWindowLongA(w, GWL_STYLE));
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  SetWindowLongA(w, GWL_STYLE, static_cast<LONG>(style & ~WS_MAXIMIZEBOX));
  EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZEBOX, 0);

  char buf[8];
  SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  SetWindowTextA(w, "Wykres danych");
  EXPECT_EQ(GetWindowTextLengthA(w), 13);
  EXPECT_EQ(GetWindowTextA(w, buf, sizeof buf), 7) << "cut to the buffer, terminated";
  EXPECT_STREQ(buf, "Wykres ");
}

TEST_F(Windows, TimersFireOnTheDeterministicClock) {
  use_script("wait 250\n");
  HWND w = top("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  drain();
  DWORD start = GetTickCount();
  EXPECT_EQ(SetTimer(w, 5, 100, nullptr), 5u);
  MSG m;
  int fired = 0;
  DWORD first_time = 0;
  while (fired < 2 && GetMessageA(&m, nullptr, 0, 0)) {
    if (m.message == WM_TIMER) {
      EXPECT_EQ(m.wParam, 5u);
      if (!fired) first_time = GetMessageTime();
      ++fired;
    }
    DispatchMessageA(&m);
  }
  EXPECT_EQ(first_time - start, 100u) << "the clock jumps to the timer when nothing else happens";
  EXPECT_TRUE(KillTimer(w, 5));
  EXPECT_FALSE(KillTimer(w, 5));
}

struct Nested {
  static inline bool done = false;
  static inline std::vector<UINT> inner;
  static LRESULT proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER) {
      // A modal loop: pump until a flag is set, as a dialog does.
      MSG msg;
      while (!done && GetMessageA(&msg, nullptr, 0, 0)) {
        inner.push_back(msg.message);
        DispatchMessageA(&msg);
      }
      return 1;
    }
    if (m == WM_USER + 1) done = true;
    return DefWindowProcA(h, m, w, l);
  }
};

TEST_F(Windows, NestedMessageLoopRunsUntilItsFlag) {
  WNDCLASSA wc;
  wc.lpfnWndProc = Nested::proc;
  wc.lpszClassName = "Nested";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "Nested", "N", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PostMessageA(w, WM_USER, 0, 0);
  PostMessageA(w, WM_USER + 2, 0, 0);
  PostMessageA(w, WM_USER + 1, 0, 0);
  PostMessageA(w, WM_USER + 3, 0, 0);
  MSG m;
  std::vector<UINT> outer;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    outer.push_back(m.message);
    DispatchMessageA(&m);
  }
  const std::vector<UINT> want_inner = {WM_USER + 2, WM_USER + 1};
  const std::vector<UINT> want_outer = {WM_USER, WM_USER + 3};
  EXPECT_EQ(Nested::inner, want_inner);
  EXPECT_EQ(outer, want_outer);
}

TEST_F(Windows, QuitEndsGetMessageWithItsCode) {
  PostQuitMessage(3);
  MSG m;
  EXPECT_FALSE(GetMessageA(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(Windows, SystemCursorsAndTheClassCursorInTheClient) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  ASSERT_NE(arrow, nullptr);
  EXPECT_NE(arrow, wait);
  EXPECT_EQ(SystemCursorId(wait), 32514);
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(12345)), nullptr);
  WNDCLASSA wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hCursor = wait;
  wc.lpszClassName = "Busy";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "Busy", "B", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                           nullptr, nullptr);
  drain();
  SetCursor(arrow);
  InputEvent e;
  e.kind = InputKind::mouse_move;
  e.window = w;
  e.pos = POINT{100, 100};
  host(e);
  drain();
  EXPECT_EQ(GetCursor(), wait) << "the class cursor over the client";
}

TEST_F(Windows, SystemValues) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
}

}  // namespace
}  // namespace plat::testing

namespace plat::testing {
namespace {

struct Reentrant {
  static LRESULT proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DESTROY) DestroyWindow(h);  // a handler that destroys again
    return DefWindowProcA(h, m, w, l);
  }
};

TEST_F(Windows, DestroyingAgainFromWmDestroyIsHarmless) {
  WNDCLASSA wc;
  wc.lpfnWndProc = Reentrant::proc;
  wc.lpszClassName = "Reentrant";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "Reentrant", "R", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                           nullptr, nullptr);
  HWND c = CreateWindowExA(0, "Reentrant", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, w, nullptr, nullptr, nullptr);
  EXPECT_TRUE(DestroyWindow(w));
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(IsWindow(c));
  MSG m;
  EXPECT_FALSE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) && m.hwnd == w) << "nothing left for it in the queue";
}

}  // namespace
}  // namespace plat::testing
