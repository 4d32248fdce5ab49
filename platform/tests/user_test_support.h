// Helpers for the window-manager tests: a headless display without a
// script, a window class whose procedure records every message it gets,
// and a way to compare the record with a table of expectations.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/user/desktop.h"
#include "platform/user/user.h"

namespace plat::testing {

struct Seen {
  HWND hwnd;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

// Messages every test records; a procedure may add its own reactions.
inline std::vector<Seen>& seen() {
  static std::vector<Seen> v;
  return v;
}

inline LRESULT CALLBACK_record(HWND h, UINT m, WPARAM w, LPARAM l) {
  seen().push_back(Seen{h, m, w, l});
  return DefWindowProcA(h, m, w, l);
}

inline const char* message_name(UINT m) {
  switch (m) {
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_CREATE: return "WM_CREATE";
    case WM_SIZE: return "WM_SIZE";
    case WM_MOVE: return "WM_MOVE";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_NCACTIVATE: return "WM_NCACTIVATE";
    case WM_ACTIVATE: return "WM_ACTIVATE";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_NCPAINT: return "WM_NCPAINT";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_PAINT: return "WM_PAINT";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_SYSCHAR: return "WM_SYSCHAR";
    case WM_TIMER: return "WM_TIMER";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_NCHITTEST: return "WM_NCHITTEST";
    case WM_NCMOUSEMOVE: return "WM_NCMOUSEMOVE";
    case WM_NCLBUTTONDOWN: return "WM_NCLBUTTONDOWN";
    case WM_NCLBUTTONUP: return "WM_NCLBUTTONUP";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    case WM_SETTEXT: return "WM_SETTEXT";
    case WM_GETTEXT: return "WM_GETTEXT";
    case WM_ENABLE: return "WM_ENABLE";
    case WM_CAPTURECHANGED: return "WM_CAPTURECHANGED";
    default: return nullptr;
  }
}

inline std::string describe(UINT m) {
  const char* n = message_name(m);
  return n ? n : "0x" + std::to_string(m);
}

// One expected message: who gets it and which; `check_wparam` compares
// wParam too.
struct Expect {
  int who;  // index into the windows passed to expect_sequence
  UINT message;
  bool check_wparam = false;
  WPARAM wparam = 0;
};

// The recorded messages, without the ones a test does not care about.
inline std::vector<Seen> recorded(std::initializer_list<UINT> ignore = {WM_NCHITTEST, WM_GETTEXT, WM_SETCURSOR}) {
  std::vector<Seen> out;
  for (const Seen& s : seen()) {
    bool skip = false;
    for (UINT i : ignore) skip = skip || s.message == i;
    if (!skip) out.push_back(s);
  }
  return out;
}

inline std::string format(const std::vector<Seen>& v, const std::vector<HWND>& who) {
  std::string s;
  for (const Seen& x : v) {
    int idx = -1;
    for (std::size_t i = 0; i < who.size(); ++i)
      if (who[i] == x.hwnd) idx = static_cast<int>(i);
    s += "  [" + std::to_string(idx) + "] " + describe(x.message) + " w=" + std::to_string(x.wparam) + "\n";
  }
  return s;
}

inline void expect_sequence(const std::vector<Expect>& want, const std::vector<HWND>& who,
                            std::initializer_list<UINT> ignore = {WM_NCHITTEST, WM_GETTEXT, WM_SETCURSOR}) {
  std::vector<Seen> got = recorded(ignore);
  std::string got_text = format(got, who);
  ASSERT_EQ(got.size(), want.size()) << "recorded sequence:\n" << got_text;
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("message " + std::to_string(i) + " of the sequence:\n" + got_text);
    EXPECT_EQ(got[i].hwnd, who[static_cast<std::size_t>(want[i].who)]) << describe(want[i].message);
    EXPECT_EQ(describe(got[i].message), describe(want[i].message));
    if (want[i].check_wparam) {
      EXPECT_EQ(got[i].wparam, want[i].wparam) << describe(want[i].message);
    }
  }
}

// Take and dispatch every message that is there now (paint included),
// without waiting for input.
inline void drain() {
  MSG m;
  int guard = 0;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) && guard++ < 10000) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

// A temporary file name of this test alone (tests run in parallel).
inline std::string unique_temp(const std::string& what) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  return ::testing::TempDir() + "tsd_" + name + "_" + std::to_string(getpid()) + "_" + what;
}

class UserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("TSD_SCRIPT");
    unsetenv("TSD_LOG");
    unsetenv("TSD_SCREEN");
    std::string error;
    ASSERT_TRUE(display_open("headless", &error)) << error;
    install_desktop_hooks();
    seen().clear();
    WNDCLASSA wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = CALLBACK_record;
    wc.hbrBackground = SysColorAsBrush(COLOR_WINDOW);
    wc.lpszClassName = "Recorder";
    ASSERT_NE(RegisterClassA(&wc), 0);
  }
  void TearDown() override {
    desktop_reset();
    seen().clear();
  }
  HWND top(const char* title, DWORD style = WS_OVERLAPPEDWINDOW, int x = 100, int y = 80, int w = 300, int h = 200) {
    return CreateWindowExA(0, "Recorder", title, style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
  }
  HWND child(HWND parent, int id, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE) {
    return CreateWindowExA(0, "Recorder", "", style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
  }
  // Start again with a headless display that plays this script.
  void use_script(const std::string& script) {
    display_close();
    script_path_ = unique_temp("script.txt");
    FILE* f = std::fopen(script_path_.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(script.c_str(), f);
    std::fclose(f);
    setenv("TSD_SCRIPT", script_path_.c_str(), 1);
    std::string error;
    ASSERT_TRUE(display_open("headless", &error)) << error;
    install_desktop_hooks();
  }
  std::string script_path_;
  // Give the window manager one host event, as the display would.
  void host(const InputEvent& e) { desktop().input.push_back(e); }
};

}  // namespace plat::testing
