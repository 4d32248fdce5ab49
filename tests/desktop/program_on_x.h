// One of the four programs on an X server of the test's own through the SDL
// display, as a person meets it: the programs and how their user reaches
// each step, the server (bare or under openbox), the program started and
// ended, and the states a test waits for (a window shown, the keyboard on
// it, a popup's highlight), each awaited, never slept for.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/desktop/x_screen.h"
#include "platform/gdi/surface.h"
#include "tools/testkit/program_run.h"
#include "tools/testkit/surface_pixels.h"
#include "tools/testkit/xserver.h"

namespace tsd::desktop {

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
  std::string about;                  // the key of the "O programie" box
};

const std::vector<Program>& programs();
// Each of them, for a test run once per program, named after it.
std::vector<const Program*> allprograms();
std::string programname(const ::testing::TestParamInfo<const Program*>& info);

// A key as xdotool names it, from the headless script's name.
std::string xkey(const std::string& k);
std::vector<std::string> xkeys(const std::vector<std::string>& keys);
// The keys as lines of a headless script.
std::string scriptkeys(const std::vector<std::string>& keys);

using testkit::syscolour;
// The first row of a menu's highlighted item (-1: none shown).
int highlighted(const plat::Surface& popup);
// `b` of `s` (black outside it).
plat::Surface crop(const plat::Surface& s, const Box& b);

// Where the desktop tests keep their screenshots (in the build tree).
std::string shotfolder();

// A folder made from examples/ for one run: sample.dat, and the program's
// parameter file unless `withpar` is false.
std::string workfolder(const Program& p, const std::string& kind, bool withpar = true);

// A fixture's view of the desktop: its own server, one program on it.
class OnX {
 public:
  OnX() = default;
  OnX(const OnX&) = delete;
  OnX& operator=(const OnX&) = delete;
  ~OnX();  // a program still running is killed

  // Starts the server, and openbox on it when `windowmanager`; false with
  // the reason when the desktop cannot be tried here.
  bool startdesktop(bool windowmanager, std::string* why);
  // Starts the program on the SDL display in `workdir`.
  bool start(const Program& p, const std::string& workdir,
             const std::vector<std::pair<std::string, std::string>>& env = {});
  // Waits for the program's end (killed when it does not end in time).
  testkit::ProgramRun end(int seconds = 60);
  bool running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }

  // Whether a state came; when not, the screen is kept as `failed` for a look.
  bool reach(const std::function<bool()>& ready, const std::string& what);
  // The shown window titled `title` and where it is; 0 when not shown.
  unsigned long window(const std::string& title, Box* where = nullptr);
  // The window titled `title` holds the host's keyboard and shows itself
  // active (its caption drawn in the active colour, so not covered there):
  // keys typed now reach it, as a person sees before typing.
  bool ready(const std::string& title);
  bool focuson(const std::string& title);
  // Keys through the menu bar, as a person gives them: after a key that
  // opens a popup the next waits until the popup shows its chosen item.
  bool menu(const std::vector<std::string>& keys);
  bool gone(const std::string& title);
  // sample.dat loaded by typing its name into the program's file dialog, as
  // a person does, then the program's own preparing keys; each step waits
  // for the window it leads to.
  bool loadsample(const Program& p);
  // The whole screen saved as `name` (see shot()).
  void keepscreen(const std::string& name);
  // The path of a screenshot of this test.
  std::string shot(const std::string& name) const;

  testkit::XServer server;
  XScreen x;
  testkit::ProgramSetup setup;

 private:
  pid_t pid_ = -1;
};

}  // namespace tsd::desktop
