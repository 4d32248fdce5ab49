// The four programs on a real X server (an Xvfb of each test's own) through
// the SDL display, driven from outside the process as a person drives them:
// keys and clicks through XTEST, the screen read back from the server. Each
// program loads sample.dat through the file dialog by typing its name,
// opens and closes every popup of its menu bar while the plot stays as it
// was, has a value refused in a settings dialog and a good one taken, saves
// a report, and ends through its close box. Keyboard focus is back on the
// main window after every menu, dialog and box. Each run goes once on a
// bare server and once under a window manager (openbox).
//
// The same steps are also given to the program on the headless display as a
// script: where both reach the same state their pixels are equal (one
// rasteriser draws both) and the saved reports are the same.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/desktop/program_on_x.h"
#include "tests/desktop/x_screen.h"
#include "platform/gdi/surface_png.h"
#include "platform/user/user.h"
#include "tools/testkit/program_run.h"
#include "tools/testkit/xserver.h"

namespace tsd::desktop {
namespace {

using testkit::ProgramRun;
using testkit::ProgramSetup;

const char kReport[] = "raport.txt";

std::string replaceall(std::string s, const std::string& what, const std::string& with) {
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
    s.replace(at, what.size(), with);
  return s;
}

// The same steps on the headless display: the screen after loading and
// after the good value, and the report.
struct Reference {
  plat::Surface loaded, set;
  std::string report;
  std::string folder;
};

Reference headlessrun(const Program& p) {
  Reference r;
  r.folder = workfolder(p, "headless");
  const std::string a = r.folder + "/loaded.png", b = r.folder + "/set.png";
  std::string dialog = scriptkeys(p.settings) + scriptkeys(p.tofield);
  ProgramSetup s;
  s.exe = testkit::programexe(p.name);
  s.workdir = r.folder;
  s.script = scriptkeys(p.load) + "type \"sample.dat\"\nkey Enter\n" + scriptkeys(p.prepare) + "idle\nscreenshot \"" + a +
             "\"\n" + dialog + "type \"" + p.refused + "\"\nkey Enter\nmsgbox OK\n" + dialog + "type \"" + p.good +
             "\"\nkey Enter\nidle\nscreenshot \"" + b + "\"\n" + scriptkeys(p.save) + "type \"" + kReport +
             "\"\nkey Enter\nmsgbox OK\nclose\n";
  ProgramRun run = testkit::runprogram(s);
  EXPECT_EQ(run.exitcode, 0) << run.log << run.output;
  EXPECT_TRUE(plat::ReadSurfacePng(a, &r.loaded)) << run.log;
  EXPECT_TRUE(plat::ReadSurfacePng(b, &r.set)) << run.log;
  r.report = testkit::readfile(r.folder + "/" + kReport);
  return r;
}

struct Case {
  const Program* program;
  bool windowmanager;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.program->name << (c.windowmanager ? " under openbox" : " on a bare X server");
}

std::string casename(const ::testing::TestParamInfo<Case>& info) {
  return info.param.program->name + (info.param.windowmanager ? "_openbox" : "_bare");
}

class ProgramOnX : public ::testing::TestWithParam<Case>, public OnX {};

TEST_P(ProgramOnX, UsedAsAPersonUsesIt) {
  const Program& p = *GetParam().program;
  std::string why;
  if (!startdesktop(GetParam().windowmanager, &why)) GTEST_SKIP() << why;
  const Reference ref = headlessrun(p);
  ASSERT_TRUE(start(p, workfolder(p, GetParam().windowmanager ? "openbox" : "bare")));
  const ProgramSetup& s = setup;

  Box main;
  ASSERT_TRUE(reach([&] { return window(p.title, &main) != 0; }, "the main window"));
  ASSERT_TRUE(focuson(p.title));
  auto client = [&] { return Box{main.x, main.y + kClientTop, main.w, main.h - kClientTop}; };
  auto grabmain = [&] {
    window(p.title, &main);
    return x.grab(main);
  };

  // Loading sample.dat by typing its name into the file dialog.
  ASSERT_TRUE(loadsample(p));
  // The plot as the headless display draws it, at the same place.
  const Box headlessmain = main;
  auto likeheadless = [&](const plat::Surface& want) {
    return differing(grabmain(), crop(want, headlessmain)) == 0;
  };
  if (!waitfor([&] { return likeheadless(ref.loaded); }, kPatience)) {
    plat::WriteSurfacePng(grabmain(), shot("loaded_sdl"));
    plat::WriteSurfacePng(crop(ref.loaded, headlessmain), shot("loaded_headless"));
    ADD_FAILURE() << differing(grabmain(), crop(ref.loaded, headlessmain))
                  << " pixels of the main window differ from the headless run's: " << shot("loaded_sdl") << " "
                  << shot("loaded_headless");
  }

  // Every popup of the menu bar, opened and closed over the plot.
  for (char m : p.popups) {
    SCOPED_TRACE(std::string("popup ") + m);
    const plat::Surface before = x.grab(client());
    const plat::Surface wholebefore = grabmain();
    ASSERT_TRUE(x.keys({std::string("alt+") + m}));
    Box popup;
    ASSERT_TRUE(reach(
        [&] {
          std::vector<Box> v = x.popups();
          if (v.empty()) return false;
          popup = v.front();
          return true;
        },
        "the popup"));
    // The popup drawn with its first item chosen, then two moves of the
    // highlight, each awaited: the program has handled every host event
    // that came before them, and drawn what they caused.
    int at = -1;
    ASSERT_TRUE(reach([&] { return (at = highlighted(x.grab(popup))) >= 0; }, "the popup's highlight"));
    for (int i = 0; i < 2; ++i) {
      const int was = at;
      ASSERT_TRUE(x.keys({"Down"}));
      ASSERT_TRUE(reach([&] { return (at = highlighted(x.grab(popup))) >= 0 && at != was; }, "the highlight's move"));
    }
    const Box c = client();
    Box under{popup.x - c.x, popup.y - c.y, popup.w, popup.h};
    plat::Surface open = x.grab(c);
    if (m == p.popups[0]) plat::WriteSurfacePng(x.grab(Box{0, 0, 1024, 768}), shot("popup"));
    EXPECT_EQ(differing(before, open, under), 0) << "pixels of the client area outside the popup changed";
    ASSERT_TRUE(x.keys({"Escape", "Escape"}));
    ASSERT_TRUE(reach([&] { return x.popups().empty(); }, "the popup's end"));
    EXPECT_TRUE(waitfor([&] { return differing(before, x.grab(client())) == 0; }, kPatience))
        << differing(before, x.grab(client())) << " pixels of the client area changed after the popup closed";
    // The second Escape leaves the menu bar: its item is drawn plain again
    // (what comes next is compared with the window as it is now).
    EXPECT_TRUE(waitfor([&] { return differing(wholebefore, grabmain()) == 0; }, kPatience))
        << "the menu bar is not as it was after the menu was left";
    ASSERT_TRUE(focuson(p.title));
  }

  // A value refused, its box answered, then a good one and the redraw.
  const plat::Surface beforesettings = grabmain();
  // Opens the dialog, types the value into its field and presses Enter.
  auto enter = [&](const std::string& value) {
    return menu(p.settings) && focuson(p.settingstitle) && (p.tofield.empty() || x.keys(xkeys(p.tofield))) &&
           x.type(value) && x.keys({"Return"});
  };
  ASSERT_TRUE(enter(p.refused));
  ASSERT_TRUE(focuson(p.refusal));
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(gone(p.refusal));
  ASSERT_TRUE(gone(p.settingstitle));
  ASSERT_TRUE(focuson(p.title));
  if (!waitfor([&] { return differing(beforesettings, grabmain()) == 0; }, kPatience)) {
    plat::WriteSurfacePng(grabmain(), shot("refused_now"));
    plat::WriteSurfacePng(beforesettings, shot("refused_before"));
    ADD_FAILURE() << "the plot is not as it was after the dialog and the box over it closed: " << shot("refused_now");
  }
  ASSERT_TRUE(enter(p.good));
  ASSERT_TRUE(gone(p.settingstitle));
  ASSERT_TRUE(focuson(p.title));
  EXPECT_TRUE(waitfor([&] { return differing(beforesettings, grabmain()) > 0; }, kPatience))
      << "the good value redrew the plot";
  if (!waitfor([&] { return likeheadless(ref.set); }, kPatience)) {
    plat::WriteSurfacePng(grabmain(), shot("set_sdl"));
    ADD_FAILURE() << differing(grabmain(), crop(ref.set, headlessmain))
                  << " pixels differ from the headless run's after the good value: " << shot("set_sdl");
  }
  plat::WriteSurfacePng(x.grab(Box{0, 0, 1024, 768}), shot("set"));
  const plat::Surface beforesave = grabmain();

  // A report saved through the save dialog.
  ASSERT_TRUE(menu(p.save));
  ASSERT_TRUE(focuson(p.savetitle));
  ASSERT_TRUE(x.type(kReport));
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(focuson("Informacja"));
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(gone("Informacja"));
  ASSERT_TRUE(focuson(p.title));
  EXPECT_TRUE(waitfor([&] { return differing(beforesave, grabmain()) == 0; }, kPatience))
      << "the plot is as it was after the save dialog and the box over it closed";
  const std::string report = testkit::readfile(s.workdir + "/" + kReport);
  EXPECT_FALSE(report.empty());
  EXPECT_EQ(replaceall(report, s.workdir, "DIR"), replaceall(ref.report, ref.folder, "DIR"))
      << "the report saved on the SDL display is the headless run's";

  // The close box ends the program.
  window(p.title, &main);
  ASSERT_TRUE(x.click(main.x + main.w - kCloseFromRight, main.y + kCloseFromTop));
  const ProgramRun run = end();
  EXPECT_FALSE(run.timedout);
  EXPECT_EQ(run.exitcode, 0) << run.output;
}

std::vector<Case> cases() {
  std::vector<Case> v;
  for (const Program& p : programs())
    for (bool wm : {false, true}) v.push_back(Case{&p, wm});
  return v;
}

INSTANTIATE_TEST_SUITE_P(Desktop, ProgramOnX, ::testing::ValuesIn(cases()), casename);

}  // namespace
}  // namespace tsd::desktop
