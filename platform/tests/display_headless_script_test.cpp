// The headless backend and its scripted user: actions reach a window
// procedure as real input, the log records actions and shown windows, a
// run ends by itself when the script is used up, and a program that will
// not end is ended with a non-zero code.
#include <fstream>
#include <sstream>

#include "platform/display/headless/headless_screen.h"
#include "platform/display/headless/script.h"
#include "platform/tests/user_test_support.h"
#include "text/cp1250.h"
#include "tools/testkit/files.h"

namespace plat::testing {
namespace {

class HeadlessScript : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    log_path_ = unique_temp("log.txt");
    std::remove(log_path_.c_str());
    setenv("TSD_LOG", log_path_.c_str(), 1);
    display_close();
    ASSERT_TRUE(display_open("headless", nullptr));
    install_desktop_hooks();
  }
  // A top-level window whose destruction ends the loop, as a program's main window.
  HWND main_window(const char* title) {
    WNDCLASSA wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == WM_DESTROY) PostQuitMessage(0);
      return CALLBACK_record(h, m, w, l);
    };
    wc.lpszClassName = "MainWindow";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "MainWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400, 300, nullptr,
                           nullptr, nullptr, nullptr);
  }
  int run_loop() {
    MSG m;
    int n = 0;
    while (GetMessageA(&m, nullptr, 0, 0) && n++ < 100000) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    return static_cast<int>(m.wParam);
  }
  std::string log_path_;
};

TEST_F(HeadlessScript, ClickKeysAndTextReachTheWindowProcedure) {
  use_script(
      "# a short session\n"
      "click 30 40 in \"Okno testowe\"\n"
      "click right 5 6\n"
      "key Shift+a Enter\n"
      "type \"Zó!\"\n"
      "key Ctrl+F1\n");
  HWND w = main_window(text::cp1250_from_utf8("Okno testowe").c_str());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(run_loop(), 0);
  EXPECT_FALSE(IsWindow(w)) << "the run ended by the close request after the script";

  std::vector<Seen> got = recorded({WM_NCHITTEST, WM_GETTEXT, WM_MOUSEMOVE, WM_SETCURSOR});
  auto find_all = [&](UINT msg) {
    std::vector<Seen> v;
    for (const Seen& s : got)
      if (s.message == msg) v.push_back(s);
    return v;
  };
  std::vector<Seen> downs = find_all(WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(downs[0].lparam), 30);
  EXPECT_EQ(GET_Y_LPARAM(downs[0].lparam), 40);
  std::vector<Seen> rdowns = find_all(WM_RBUTTONDOWN);
  ASSERT_EQ(rdowns.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(rdowns[0].lparam), 5);
  EXPECT_EQ(GET_Y_LPARAM(rdowns[0].lparam), 6);

  std::vector<WPARAM> keys, chars;
  for (const Seen& s : find_all(WM_KEYDOWN)) keys.push_back(s.wparam);
  for (const Seen& s : find_all(WM_CHAR)) chars.push_back(s.wparam);
  // Shift+a, Enter; "Z" with Shift, "ó" as text, "!" as Shift+1; Ctrl+F1.
  const std::vector<WPARAM> want_chars = {'A', '\r', 'Z', 0xF3, '!'};
  EXPECT_EQ(chars, want_chars);
  bool ctrl_f1 = false;
  for (const Seen& s : find_all(WM_KEYDOWN)) ctrl_f1 = ctrl_f1 || s.wparam == VK_F(1);
  EXPECT_TRUE(ctrl_f1);
  EXPECT_EQ(keys.front(), VK_SHIFT);
  EXPECT_EQ(keys[1], static_cast<WPARAM>('A'));

  std::string log = tsd::testkit::readfile(log_path_);
  EXPECT_NE(log.find("window shown: \"Okno testowe\""), std::string::npos) << log;
  EXPECT_NE(log.find("action 2: click 30 40 in \"Okno testowe\""), std::string::npos) << log;
  EXPECT_NE(log.find("action 6: key Ctrl+F1"), std::string::npos) << log;
  EXPECT_NE(log.find("script: done, asking the active window to close"), std::string::npos) << log;
}

TEST_F(HeadlessScript, WithoutAScriptTheRunEndsByItself) {
  HWND w = main_window("Sam");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(run_loop(), 0);
  std::string log = tsd::testkit::readfile(log_path_);
  EXPECT_NE(log.find("script: none, asking the active window to close"), std::string::npos) << log;
}

TEST_F(HeadlessScript, CloseActionClicksTheCloseBox) {
  use_script("close\n");
  HWND w = main_window("Zamknij");
  run_loop();
  bool nc_close = false;
  for (const Seen& s : seen()) nc_close = nc_close || (s.message == WM_NCLBUTTONDOWN && static_cast<LRESULT>(s.wparam) == HTCLOSE);
  EXPECT_TRUE(nc_close);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(HeadlessScript, ResizeAndRepaintArriveAsSizingAndPaintingAndExposePaintsNothing) {
  use_script("resize 500 350\nexpose\nrepaint\n");
  HWND w = main_window("Rozmiar");
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  seen().clear();
  run_loop();
  std::vector<UINT> order;
  for (const Seen& s : recorded())
    if (s.hwnd == w && (s.message == WM_SIZE || s.message == WM_PAINT)) order.push_back(s.message);
  ASSERT_GE(order.size(), 3u);
  EXPECT_EQ(order[0], WM_SIZE);
  EXPECT_EQ(order[1], WM_PAINT) << "the resize repaints";
  EXPECT_EQ(order[2], WM_PAINT) << "and so does a repaint";
  EXPECT_EQ(order.size(), 3u) << "an expose shows the kept pixels and paints nothing";
}

TEST_F(HeadlessScript, AProgramThatWillNotEndIsEndedWithAnError) {
  EXPECT_EXIT(
      {
        WNDCLASSA wc;
        wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
          return m == WM_CLOSE ? 0 : DefWindowProcA(h, m, w, l);  // refuses to close
        };
        wc.lpszClassName = "Stubborn";
        RegisterClassA(&wc);
        CreateWindowExA(0, "Stubborn", "S", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                        nullptr, nullptr);
        unsetenv("TSD_LOG");
        display_close();
        display_open("headless", nullptr);
        install_desktop_hooks();
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0)) DispatchMessageA(&m);
      },
      ::testing::ExitedWithCode(4), "did not end after the close request");
}

TEST_F(HeadlessScript, AnUnknownActionEndsTheRunNamingTheLine) {
  EXPECT_EXIT(
      {
        unsetenv("TSD_LOG");
        use_script("idle\nfly 3 4\n");
        main_window("X");
        run_loop();
      },
      ::testing::ExitedWithCode(4), "script line 2: unknown action \"fly\"");
}

TEST(HeadlessScreen, ScreenSettings) {
  struct Case {
    const char* setting;
    bool ok;
    int w, h, bits;
  };
  const Case cases[] = {
      {"800x600x8", true, 800, 600, 8}, {"640x480", true, 640, 480, 32}, {"1024x768x4", true, 1024, 768, 4},
      {"800x600x1", true, 800, 600, 1}, {"800x600x7", false, 0, 0, 0},   {"800", false, 0, 0, 0},
      {"x600", false, 0, 0, 0},         {"10x10", false, 0, 0, 0},       {"800x600x8x1", false, 0, 0, 0},
      {"99999999x5", false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting);
    int w = 0, h = 0, b = 0;
    EXPECT_EQ(headless::parse_screen_setting(c.setting, &w, &h, &b), c.ok);
    if (c.ok) {
      EXPECT_EQ(w, c.w);
      EXPECT_EQ(h, c.h);
      EXPECT_EQ(b, c.bits);
    }
  }
}

TEST(HeadlessScreen, SizeAndDepthFromTheEnvironment) {
  setenv("TSD_SCREEN", "800x600x8", 1);
  ASSERT_TRUE(display_open("headless", nullptr));
  int w = 0, h = 0, b = 0;
  display_screen_info(&w, &h, &b);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_EQ(b, 8);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  display_close();
  setenv("TSD_SCREEN", "huge", 1);
  std::string error;
  EXPECT_FALSE(display_open("headless", &error));
  EXPECT_NE(error.find("TSD_SCREEN=huge"), std::string::npos) << error;
  unsetenv("TSD_SCREEN");
}

TEST(DisplayChoice, ExplicitNameThenEnvironmentListThenError) {
  setenv("TSD_DISPLAY", "nosuch, headless", 1);
  ASSERT_TRUE(display_open(nullptr, nullptr));
  EXPECT_STREQ(display_name(), "headless");
  display_close();
  setenv("TSD_DISPLAY", "nosuch", 1);
  std::string error;
  EXPECT_FALSE(display_open(nullptr, &error));
  EXPECT_NE(error.find("nosuch: no such display backend"), std::string::npos) << error;
  EXPECT_TRUE(display_open("headless", nullptr)) << "an explicit name wins over the environment";
  display_close();
  unsetenv("TSD_DISPLAY");
  // sdl needs a display; without one the first that works is headless.
  const char* saved = std::getenv("DISPLAY");
  std::string keep = saved ? saved : "";
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  ASSERT_TRUE(display_open(nullptr, &error)) << error;
  EXPECT_STREQ(display_name(), "headless");
  display_close();
  if (saved) setenv("DISPLAY", keep.c_str(), 1);
}

TEST(ScriptFormat, KeyChords) {
  struct Case {
    const char* chord;
    bool ok;
    unsigned mods;
    UINT vk;
    bool keypad;
  };
  const Case cases[] = {
      {"Enter", true, 0, VK_RETURN, false},        {"escape", true, 0, VK_ESCAPE, false},
      {"Shift+Tab", true, kModShift, VK_TAB, false}, {"Ctrl+F1", true, kModCtrl, VK_F(1), false},
      {"F12", true, 0, VK_F(12), false},            {"Alt+F4", true, kModAlt, VK_F(4), false},
      {"a", true, 0, 'A', false},                   {"A", true, 0, 'A', false},
      {"?", true, kModShift, VK_OEM_2, false},      {"Num7", true, 0, VK_NUMPAD0 + 7, true},
      {"Ctrl+Shift+Left", true, kModCtrl | kModShift, VK_LEFT, false},
      {"PgDn", true, 0, VK_NEXT, false},            {"+", true, kModShift, VK_OEM_PLUS, false},
      {"Hyper+A", false, 0, 0, false},              {"F25", false, 0, 0, false},
      {"Blah", false, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chord);
    unsigned mods = 0;
    UINT vk = 0;
    bool keypad = false;
    EXPECT_EQ(headless::parse_chord(c.chord, &mods, &vk, &keypad), c.ok);
    if (!c.ok) continue;
    EXPECT_EQ(mods, c.mods);
    EXPECT_EQ(vk, c.vk);
    EXPECT_EQ(keypad, c.keypad);
  }
}

TEST(ScriptFormat, LinesWordsQuotesAndComments) {
  std::vector<headless::ScriptAction> a;
  std::string error;
  ASSERT_TRUE(headless::parse_script("# comment\n\n  Click 1 2 in \"Tytuł \\\"x\\\"\"\r\nscreenshot out.png\n", &a, &error));
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].line, 3);
  EXPECT_EQ(a[0].verb, "click");
  ASSERT_EQ(a[0].args.size(), 4u);
  EXPECT_EQ(a[0].args[3], "\x01" + text::cp1250_from_utf8("Tytuł \"x\""));
  EXPECT_EQ(a[1].args[0], "out.png");
  EXPECT_FALSE(headless::parse_script("ok\ntype \"open\n", &a, &error));
  EXPECT_EQ(error, "script line 2: unterminated quote");
}

}  // namespace
}  // namespace plat::testing
