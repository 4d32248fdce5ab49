// A fixture for window-layer tests on the headless display: the toolkit
// initialised, a root window open, an optional script for the scripted user.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/user/desktop.h"
#include "platform/user/user.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/winit.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/window/wstate.h"
#include "toolkit/window/winunits.h"
#include "toolkit/window/wwindow.h"
#include "tools/testkit/files.h"

namespace tsd::testing {

inline std::string wintemp(const std::string& what) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  return ::testing::TempDir() + "tsdwin_" + name + "_" + std::to_string(getpid()) + "_" + what;
}

using testkit::readfile;

struct Got {
  int type = 0;
  WindowMessage m;
};

class WinHeadless : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("TSD_SCREEN");
    logpath_ = wintemp("log.txt");
    std::remove(logpath_.c_str());
    setenv("TSD_LOG", logpath_.c_str(), 1);
    unsetenv("TSD_SCRIPT");
  }
  void TearDown() override {
    windowclose();
    plat::desktop_reset();
    plat::display_close();
    unsetenv("TSD_SCRIPT");
  }
  // Start the display with this script, initialise and open a root window.
  void start(const std::string& script, WindowStyle style = defaultstyle()) {
    if (!script.empty()) {
      scriptpath_ = wintemp("script.txt");
      std::ofstream(scriptpath_) << script;
      setenv("TSD_SCRIPT", scriptpath_.c_str(), 1);
    }
    plat::display_close();
    std::string error;
    ASSERT_TRUE(plat::display_open("headless", &error)) << error;
    plat::install_desktop_hooks();
    winitialise("        ");
    // The screen is the headless one of this test.
    quorba01.screenwidth = plat::GetSystemMetrics(plat::SM_CXSCREEN);
    quorba01.screenheight = plat::GetSystemMetrics(plat::SM_CYSCREEN);
    windowopen(style);
    ASSERT_EQ(quorba01.open, 1);
  }
  static WindowStyle defaultstyle() {
    WindowStyle s;
    s.flags = kStyleSysMenu | kStyleMinBox | kStyleMaxBox;
    s.x = -1;
    s.y = -1;
    s.width = 400;
    s.height = 300;
    setwindowtitle(s, "Okno testowe");
    return s;
  }
  // Messages until a close request (included) or n messages.
  std::vector<Got> loop(int n = 50) {
    std::vector<Got> v;
    for (int i = 0; i < n; ++i) {
      Got g;
      wmessage(g.type, g.m);
      v.push_back(g);
      if (g.type == kCloseRequest) break;
    }
    return v;
  }
  static std::vector<Got> oftype(const std::vector<Got>& v, int type) {
    std::vector<Got> r;
    for (const Got& g : v)
      if (g.type == type) r.push_back(g);
    return r;
  }
  static plat::HWND frame() { return wsys.slots[0].wWindow; }
  static plat::HWND client() { return wsys.slots[0].hClient; }
  std::string logpath_;
  std::string scriptpath_;
};

}  // namespace tsd::testing
