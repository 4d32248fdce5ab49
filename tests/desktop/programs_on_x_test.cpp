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

#include "tests/desktop/x_screen.h"
#include "platform/gdi/surface_png.h"
#include "platform/user/user.h"
#include "tools/testkit/program_run.h"
#include "tools/testkit/xserver.h"

namespace tsd::desktop {
namespace {

using testkit::ProgramRun;
using testkit::ProgramSetup;

// The frame's caption and menu bar take the top of each main window; below
// them is the client area, the program's own drawing.
constexpr int kClientTop = 42;
// The close box's centre, from the frame's top right corner.
constexpr int kCloseFromRight = 13, kCloseFromTop = 11;
// How long one state may take to come (program start, a dialog, a redraw).
constexpr double kPatience = 20.0;

// One program and how its user reaches each step (keys as the headless
// script names them).
struct Program {
  std::string name;
  std::string par;     // its parameter file in examples/
  std::string title;   // of the main window
  std::vector<std::string> load;      // keys that open the data file dialog
  std::vector<std::string> prepare;   // keys after loading (a fit to compute)
  std::string popups;                 // mnemonics of the menu bar's popups
  std::vector<std::string> settings;  // keys that open the settings dialog
  std::string settingstitle;
  std::vector<std::string> tofield;   // keys in the dialog to the field typed into
  std::string refused, good;          // values the program refuses and takes
  std::string refusal;                // the title of the box that refuses
  std::vector<std::string> save;      // keys that open the report's save dialog
  std::string savetitle;
};

const std::vector<Program>& programs() {
  static const std::vector<Program> v = {
      {"varnel1", "VARNEL1.PAR", "Program Varnel1", {"Alt+d"}, {}, "pwtzy",
       {"Alt+p", "Enter"}, "Zakres aproksymacji", {"Tab"}, "x", "250", "Błąd", {"Alt+z", "Enter"},
       "Zapis parametrów obliczeń"},
      {"varnel2", "VARNEL2.PAR", "Program Varnel2", {"Alt+d"}, {"Alt+o"}, "pwtzy",
       {"Alt+w", "Enter"}, "Zakres wyświetlania", {}, "x", "250", "Błąd", {"Alt+z", "Enter"},
       "Zapis parametrów obliczeń"},
      {"mokrin1", "MOKRIN1.PAR", "Program Mokrin1", {"Alt+d", "Enter"}, {}, "dwtzy",
       {"Alt+p"}, "Parametry", {}, "x", "0.1", "Błąd", {"Alt+z", "Enter"}, "Zapis wyników"},
      {"mokrin2", "MOKRIN2.PAR", "Program Mokrin2", {"Alt+d", "Enter"}, {}, "dwtzy",
       {"Alt+p"}, "Parametry", {"Tab", "Tab"}, "x", "0.6", "Błąd", {"Alt+z", "Enter"}, "Zapis wyników"},
  };
  return v;
}

const char kReport[] = "raport.txt";

// A key as xdotool names it.
std::string xkey(const std::string& k) {
  std::string out;
  std::size_t start = 0;
  while (start <= k.size()) {
    std::size_t plus = k.find('+', start);
    std::string part = k.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    if (part == "Alt") part = "alt";
    else if (part == "Ctrl") part = "ctrl";
    else if (part == "Shift") part = "shift";
    else if (part == "Enter") part = "Return";
    out += (out.empty() ? "" : "+") + part;
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return out;
}

std::vector<std::string> xkeys(const std::vector<std::string>& keys) {
  std::vector<std::string> v;
  for (const std::string& k : keys) v.push_back(xkey(k));
  return v;
}

std::string scriptkeys(const std::vector<std::string>& keys) {
  std::string s;
  for (const std::string& k : keys) s += "key " + k + "\n";
  return s;
}

std::string replaceall(std::string s, const std::string& what, const std::string& with) {
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
    s.replace(at, what.size(), with);
  return s;
}

std::string shotfolder() {
  std::string dir = testkit::buildtree() + "/screenshots/desktop";
  std::filesystem::create_directories(dir);
  return dir;
}

plat::Surface crop(const plat::Surface& s, const Box& b) {
  plat::Surface c;
  c.resize(b.w, b.h);
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x) {
      int sx = b.x + x, sy = b.y + y;
      c.row(y)[x] = sx >= 0 && sy >= 0 && sx < s.width && sy < s.height ? s.row(sy)[sx] : 0;
    }
  return c;
}

// A system colour as the screen shows it (0x00RRGGBB).
std::uint32_t syscolour(int index) {
  plat::DWORD c = plat::GetSysColor(index);
  return ((c & 0xff) << 16) | (c & 0xff00) | ((c >> 16) & 0xff);
}

// The first row of a menu's highlighted item (-1: none shown).
int highlighted(const plat::Surface& popup) {
  const std::uint32_t hot = syscolour(plat::COLOR_HIGHLIGHT);
  for (int y = 0; y < popup.height; ++y)
    for (int x = 0; x < popup.width; ++x)
      if (popup.row(y)[x] == hot) return y;
  return -1;
}

// A folder made from examples/ for one run.
std::string workfolder(const Program& p, const std::string& kind) {
  std::string dir = testkit::makeworkdir("desktop_" + p.name + "_" + kind);
  const std::string examples = TSD_SOURCE_DIR "/examples/";
  std::filesystem::copy_file(examples + p.par, dir + "/" + p.par);
  std::filesystem::copy_file(examples + "sample.dat", dir + "/sample.dat");
  return dir;
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

class ProgramOnX : public ::testing::TestWithParam<Case> {
 protected:
  // Whether a state came; when not, the screen is kept for a look.
  bool reach(const std::function<bool()>& ready, const std::string& what) {
    if (waitfor(ready, kPatience)) return true;
    plat::WriteSurfacePng(x.grab(Box{0, 0, 1024, 768}), shot("failed"));
    ADD_FAILURE() << what << " did not come (screen: " << shot("failed") << ")";
    return false;
  }
  std::string shot(const std::string& name) {
    return shotfolder() + "/" + casename(::testing::TestParamInfo<Case>(GetParam(), 0)) + "_" + name + ".png";
  }
  // The shown window titled `title` and where it is; 0 when not shown.
  unsigned long window(const std::string& title, Box* where = nullptr) {
    unsigned long w = x.find(title);
    if (w && where && !x.place(w, where)) return 0;
    return w;
  }
  // The window titled `title` holds the host's keyboard and shows itself
  // active (its caption drawn in the active colour): keys typed now reach
  // it, as a person sees before typing.
  bool ready(const std::string& title) {
    Box b;
    unsigned long w = window(title, &b);
    if (w == 0 || x.focus() != w) return false;
    plat::Surface caption = x.grab(Box{b.x + b.w * 2 / 3, b.y + 8, 1, 1});
    return caption.width == 1 && caption.row(0)[0] == syscolour(plat::COLOR_ACTIVECAPTION);
  }
  bool focuson(const std::string& title) {
    return reach([&] { return ready(title); }, "keyboard focus on \"" + title + "\"");
  }
  // Keys through the menu bar, as a person gives them: after a key that
  // opens a popup the next waits until the popup shows its chosen item.
  bool menu(const std::vector<std::string>& keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (i > 0 && !reach(
                       [&] {
                         std::vector<Box> v = x.popups();
                         return !v.empty() && highlighted(x.grab(v.front())) >= 0;
                       },
                       "the popup before " + keys[i]))
        return false;
      if (!x.keys({xkey(keys[i])})) return false;
    }
    return true;
  }
  bool gone(const std::string& title) {
    return reach([&] { return window(title) == 0; }, "the end of \"" + title + "\"");
  }

  testkit::XServer server;
  XScreen x;
};

TEST_P(ProgramOnX, UsedAsAPersonUsesIt) {
  const Program& p = *GetParam().program;
  std::string why;
  if (testkit::findonpath("xdotool").empty()) GTEST_SKIP() << "xdotool is not installed: the SDL display is not tried";
  if (!server.start(&why, "1024x768x24")) GTEST_SKIP() << "no X server: " << why << "; the SDL display is not tried";
  ASSERT_TRUE(x.open(server.display())) << server.display();
  if (GetParam().windowmanager) {
    if (!server.startwindowmanager(&why)) GTEST_SKIP() << why << ": the run under a window manager is not tried";
    ASSERT_TRUE(waitfor([&] { return x.managed(); }, kPatience)) << "openbox did not take the screen";
  }
  const Reference ref = headlessrun(p);

  ProgramSetup s;
  s.exe = testkit::programexe(p.name);
  s.workdir = workfolder(p, GetParam().windowmanager ? "openbox" : "bare");
  // The host libraries SDL loads (D-Bus) keep a few buffers to the end,
  // which are not ours to free: leaks are not checked in this run (the
  // headless run of the same steps checks ours).
  s.env = {{"TSD_DISPLAY", "sdl"}, {"DISPLAY", server.display()}, {"TSD_SCRIPT", ""}, {"WAYLAND_DISPLAY", ""},
           {"LSAN_OPTIONS", "detect_leaks=0"}};
  s.timeout_seconds = 60;
  pid_t pid = testkit::startprogram(s);
  ASSERT_GT(pid, 0);
  struct Reap {
    const ProgramSetup& s;
    pid_t pid;
    ProgramRun run;
    bool waited = false;
    ~Reap() {
      if (!waited) {
        kill(pid, SIGKILL);
        testkit::waitprogram(s, pid);
      }
    }
  } reap{s, pid, {}};

  Box main;
  ASSERT_TRUE(reach([&] { return window(p.title, &main) != 0; }, "the main window"));
  ASSERT_TRUE(focuson(p.title));
  auto client = [&] { return Box{main.x, main.y + kClientTop, main.w, main.h - kClientTop}; };
  auto grabmain = [&] {
    window(p.title, &main);
    return x.grab(main);
  };

  // Loading sample.dat by typing its name into the file dialog.
  ASSERT_TRUE(menu(p.load));
  ASSERT_TRUE(focuson("Czytanie danych"));
  ASSERT_TRUE(x.type("sample.dat"));
  ASSERT_TRUE(x.keys({"Return"}));
  ASSERT_TRUE(gone("Czytanie danych"));
  ASSERT_TRUE(focuson(p.title));
  if (!p.prepare.empty()) {
    ASSERT_TRUE(x.keys(xkeys(p.prepare)));
  }
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
  reap.run = testkit::waitprogram(s, pid);
  reap.waited = true;
  EXPECT_FALSE(reap.run.timedout);
  EXPECT_EQ(reap.run.exitcode, 0) << reap.run.output;
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
