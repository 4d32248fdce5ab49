// The programs on a real X server through the SDL display, as a person at
// a Linux desktop uses them besides the menus: the mouse wheel scrolls the
// list and the table under the pointer, and a value copied from a field
// reaches the X clipboard that other programs read (xclip stands for them)
// and text put there by another program is pasted into a field.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/desktop/x_screen.h"
#include "platform/gdi/surface_png.h"
#include "platform/user/user.h"
#include "tools/testkit/program_run.h"
#include "tools/testkit/surface_pixels.h"
#include "tools/testkit/xserver.h"

namespace tsd::desktop {
namespace {

using testkit::ProgramSetup;
using testkit::samepixels;
using testkit::syscolour;

constexpr double kPatience = 20.0;

std::string shotfolder() {
  std::string dir = testkit::buildtree() + "/screenshots/desktop";
  std::filesystem::create_directories(dir);
  return dir;
}

// A system colour as the screen shows it (0x00RRGGBB).
// One program on the SDL display of a server of the test's own, bare.
class DesktopOnX : public ::testing::Test {
 protected:
  // Starts `program` in a folder holding its parameter file, sample.dat
  // and `extra` empty files; false (the test skipped) without a server.
  bool start(const std::string& program, const std::string& par, int extra = 0) {
    std::string why;
    if (testkit::findonpath("xdotool").empty()) {
      skip_ = "xdotool is not installed";
      return false;
    }
    if (!server_.start(&why, "1024x768x24")) {
      skip_ = "no X server: " + why;
      return false;
    }
    if (!x_.open(server_.display())) {
      skip_ = "cannot connect to " + server_.display();
      return false;
    }
    setup_.exe = testkit::programexe(program);
    setup_.workdir = testkit::examplefolder("desktop_wheel_clip_" + program, {par, "sample.dat"});
    for (int i = 0; i < extra; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "/pomiar%02d.dat", i);
      std::ofstream(setup_.workdir + name) << "2 0.1 300 1\n300 1e-12\n301 1e-12\n";
    }
    setup_.env = {{"TSD_DISPLAY", "sdl"}, {"DISPLAY", server_.display()}, {"TSD_SCRIPT", ""}, {"WAYLAND_DISPLAY", ""},
                  {"LSAN_OPTIONS", "detect_leaks=0"}};
    setup_.timeout_seconds = 90;
    pid_ = testkit::startprogram(setup_);
    return pid_ > 0;
  }
  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      testkit::waitprogram(setup_, pid_);
    }
  }
  // The window titled `title` is shown, has the keyboard and shows itself
  // active (its caption in the active colour); its place.
  Box shown(const std::string& title) {
    Box b;
    bool ok = waitfor(
        [&] {
          unsigned long w = x_.find(title);
          if (w == 0 || !x_.place(w, &b) || x_.focus() != w) return false;
          plat::Surface caption = x_.grab(Box{b.x + b.w * 2 / 3, b.y + 8, 1, 1});
          return caption.width == 1 && caption.row(0)[0] == syscolour(plat::COLOR_ACTIVECAPTION);
        },
        kPatience);
    if (!ok) {
      plat::WriteSurfacePng(x_.grab(Box{0, 0, 1024, 768}), shot("failed"));
      ADD_FAILURE() << "\"" << title << "\" did not come with the keyboard (screen: " << shot("failed") << ")";
    }
    return b;
  }
  std::string shot(const std::string& name) {
    return shotfolder() + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name + ".png";
  }
  // What another X client reads from the clipboard (xclip -o).
  std::string clipboard() {
    std::string cmd = "DISPLAY=" + server_.display() + " xclip -o -selection clipboard 2>/dev/null";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
      char buf[256];
      std::size_t n;
      while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
      pclose(p);
    }
    return out;
  }
  // Another X client puts `utf8` on the clipboard (xclip -i keeps serving
  // it in the background until another client takes the clipboard).
  bool putclipboard(const std::string& utf8) {
    const std::string file = setup_.workdir + "/clip.txt";
    std::ofstream(file) << utf8;
    std::string cmd = "DISPLAY=" + server_.display() + " xclip -i -selection clipboard " + file + " >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
  }
  // Turns the wheel by `notches` (positive: away from the user) over a point.
  // What `b` shows once the program has finished drawing it: the same
  // picture in twenty grabs in a row. A grab taken as a dialog appears can
  // catch a list before its rows are drawn, which no later scroll gives back.
  plat::Surface settled(const Box& b) {
    plat::Surface prev = x_.grab(b);
    int alike = 0;
    waitfor([&] {
      plat::Surface now = x_.grab(b);
      alike = samepixels(now, prev) ? alike + 1 : 0;
      prev = std::move(now);
      return alike >= 20;
    }, kPatience);
    return prev;
  }

  bool wheel(int x, int y, int notches) {
    std::vector<std::string> a = {"mousemove", "--sync", std::to_string(x), std::to_string(y)};
    for (int i = 0; i < std::abs(notches); ++i) a.insert(a.end(), {"click", notches > 0 ? "4" : "5"});
    return x_.xdotool(a);
  }

  testkit::XServer server_;
  XScreen x_;
  ProgramSetup setup_;
  pid_t pid_ = -1;
  std::string skip_;
};

// The file dialog of a folder of forty data files: three notches down over
// the file list show later files, three up the first ones again; a table
// of the measured points likewise.
TEST_F(DesktopOnX, TheWheelScrollsTheFileListAndTheTableUnderThePointer) {
  if (!start("varnel2", "VARNEL2.PAR", 40)) {
    if (!skip_.empty()) GTEST_SKIP() << skip_;
    FAIL() << "the program did not start";
  }
  shown("Program Varnel2");
  ASSERT_TRUE(x_.keys({"alt+d"}));
  Box d = shown("Czytanie danych");
  // The file list takes the left third of the dialog, from a fifth of its
  // height to two thirds.
  const Box list{d.x + d.w * 4 / 100, d.y + d.h * 30 / 100, d.w * 28 / 100, d.h * 40 / 100};
  const plat::Surface top = settled(list);
  ASSERT_TRUE(wheel(list.x + list.w / 2, list.y + list.h / 2, -3));
  ASSERT_TRUE(waitfor([&] { return !samepixels(x_.grab(list), top); }, kPatience)) << "the list scrolled down";
  plat::WriteSurfacePng(x_.grab(d), shot("file_list_scrolled"));
  ASSERT_TRUE(wheel(list.x + list.w / 2, list.y + list.h / 2, 3));
  EXPECT_TRUE(waitfor([&] { return samepixels(x_.grab(list), top); }, kPatience)) << "and back to its first files";

  ASSERT_TRUE(x_.type("sample.dat"));
  ASSERT_TRUE(x_.keys({"Return"}));
  shown("Program Varnel2");
  ASSERT_TRUE(x_.keys({"alt+o"}));  // the fit, after which the tables can be shown
  shown("Program Varnel2");
  ASSERT_TRUE(x_.keys({"alt+t"}));
  ASSERT_TRUE(waitfor([&] { return !x_.popups().empty(); }, kPatience));
  ASSERT_TRUE(x_.keys({"Down", "Return"}));
  Box t = shown("Tabela 1");
  // The table's field fills the dialog between its heading and its button.
  const Box rows{t.x + t.w / 8, t.y + t.h * 20 / 100, t.w * 3 / 4, t.h * 55 / 100};
  const plat::Surface first = settled(rows);
  ASSERT_TRUE(wheel(t.x + t.w / 2, t.y + t.h / 2, -5));
  ASSERT_TRUE(waitfor([&] { return !samepixels(x_.grab(rows), first); }, kPatience)) << "the table scrolled down";
  plat::WriteSurfacePng(x_.grab(t), shot("table_scrolled"));
  ASSERT_TRUE(wheel(t.x + t.w / 2, t.y + t.h / 2, 5));
  EXPECT_TRUE(waitfor([&] { return samepixels(x_.grab(rows), first); }, kPatience)) << "and back to its first rows";
}

// A value typed into a settings field and copied reaches the clipboard of
// the X server; text another program put there (Polish letters in UTF-8)
// is pasted into the field, and copied back from it with a digit added.
TEST_F(DesktopOnX, FieldsCopyToAndPasteFromTheHostsClipboard) {
  if (testkit::findonpath("xclip").empty()) GTEST_SKIP() << "xclip is not installed";
  if (!start("varnel1", "VARNEL1.PAR")) {
    if (!skip_.empty()) GTEST_SKIP() << skip_;
    FAIL() << "the program did not start";
  }
  shown("Program Varnel1");
  ASSERT_TRUE(x_.keys({"alt+d"}));  // the data first: the settings need them
  shown("Czytanie danych");
  ASSERT_TRUE(x_.type("sample.dat"));
  ASSERT_TRUE(x_.keys({"Return"}));
  shown("Program Varnel1");
  ASSERT_TRUE(x_.keys({"alt+p"}));
  ASSERT_TRUE(waitfor([&] { return !x_.popups().empty(); }, kPatience));
  ASSERT_TRUE(x_.keys({"Return"}));
  Box d = shown("Zakres aproksymacji");
  ASSERT_TRUE(x_.keys({"Tab"}));
  ASSERT_TRUE(x_.type("123,75"));
  ASSERT_TRUE(x_.keys({"ctrl+a", "ctrl+c"}));
  EXPECT_TRUE(waitfor([&] { return clipboard() == "123,75"; }, kPatience))
      << "xclip reads \"" << clipboard() << "\"";

  ASSERT_TRUE(putclipboard("ł27,5"));
  ASSERT_TRUE(waitfor([&] { return clipboard() == "ł27,5"; }, kPatience));
  ASSERT_TRUE(x_.keys({"ctrl+a", "ctrl+v", "End"}));
  ASSERT_TRUE(x_.type("9"));
  plat::WriteSurfacePng(x_.grab(d), shot("pasted"));
  ASSERT_TRUE(x_.keys({"ctrl+a", "ctrl+c"}));
  EXPECT_TRUE(waitfor([&] { return clipboard() == "ł27,59"; }, kPatience))
      << "xclip reads \"" << clipboard() << "\"";
}

}  // namespace
}  // namespace tsd::desktop
