// The programs on the test's own X server: their table, the keys, the
// screen's colours, and starting, watching and ending one program.
#include "tests/desktop/program_on_x.h"

#include <signal.h>

#include <filesystem>

#include "platform/gdi/surface_png.h"
#include "platform/user/user.h"
#include "tools/testkit/files.h"

namespace tsd::desktop {

const std::vector<Program>& programs() {
  static const std::vector<Program> v = {
      {"varnel1", "VARNEL1.PAR", "Program Varnel1", {"Alt+d"}, {}, "pwtzy",
       {"Alt+p", "Enter"}, "Zakres aproksymacji", {"Tab"}, "x", "250", "Błąd", {"Alt+z", "Enter"},
       "Zapis parametrów obliczeń", "Alt+o"},
      {"varnel2", "VARNEL2.PAR", "Program Varnel2", {"Alt+d"}, {"Alt+o"}, "pwtzy",
       {"Alt+w", "Enter"}, "Zakres wyświetlania", {}, "x", "250", "Błąd", {"Alt+z", "Enter"},
       "Zapis parametrów obliczeń", "Alt+r"},
      {"mokrin1", "MOKRIN1.PAR", "Program Mokrin1", {"Alt+d", "Enter"}, {}, "dwtzy",
       {"Alt+p"}, "Parametry", {}, "x", "0.1", "Błąd", {"Alt+z", "Enter"}, "Zapis wyników", "Alt+o"},
      {"mokrin2", "MOKRIN2.PAR", "Program Mokrin2", {"Alt+d", "Enter"}, {}, "dwtzy",
       {"Alt+p"}, "Parametry", {"Tab", "Tab"}, "x", "0.6", "Błąd", {"Alt+z", "Enter"}, "Zapis wyników", "Alt+o"},
  };
  return v;
}

std::vector<const Program*> allprograms() {
  std::vector<const Program*> v;
  for (const Program& p : programs()) v.push_back(&p);
  return v;
}

std::string programname(const ::testing::TestParamInfo<const Program*>& info) { return info.param->name; }

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

int highlighted(const plat::Surface& popup) {
  const std::uint32_t hot = syscolour(plat::COLOR_HIGHLIGHT);
  for (int y = 0; y < popup.height; ++y)
    for (int x = 0; x < popup.width; ++x)
      if (popup.row(y)[x] == hot) return y;
  return -1;
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

std::string shotfolder() {
  std::string dir = testkit::buildtree() + "/screenshots/desktop";
  std::filesystem::create_directories(dir);
  return dir;
}

std::string workfolder(const Program& p, const std::string& kind, bool withpar) {
  std::string dir = testkit::makeworkdir("desktop_" + p.name + "_" + kind);
  const std::string examples = TSD_SOURCE_DIR "/examples/";
  if (withpar) std::filesystem::copy_file(examples + p.par, dir + "/" + p.par);
  std::filesystem::copy_file(examples + "sample.dat", dir + "/sample.dat");
  return dir;
}

OnX::~OnX() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    testkit::waitprogram(setup, pid_);
  }
}

bool OnX::startdesktop(bool windowmanager, std::string* why) {
  if (testkit::findonpath("xdotool").empty()) {
    *why = "xdotool is not installed: the SDL display is not tried";
    return false;
  }
  if (!server.start(why, "1024x768x24")) {
    *why = "no X server: " + *why + "; the SDL display is not tried";
    return false;
  }
  if (!x.open(server.display())) {
    *why = "cannot connect to " + server.display();
    return false;
  }
  if (!windowmanager) return true;
  if (!server.startwindowmanager(why)) {
    *why += ": the run under a window manager is not tried";
    return false;
  }
  if (!waitfor([&] { return x.managed(); }, kPatience)) {
    *why = "openbox did not take the screen";
    return false;
  }
  // Announced, openbox may still be starting, and what reaches it then is
  // lost: a window mapped then stays unmapped for good (and SDL waits for
  // it to be mapped). Asked again until it answers from its event loop, it
  // then handles every window that comes.
  if (!waitfor([&] { return x.wmsync(0.5); }, kPatience)) {
    *why = "openbox took the screen but does not answer";
    return false;
  }
  return true;
}

bool OnX::start(const Program& p, const std::string& workdir,
                const std::vector<std::pair<std::string, std::string>>& env) {
  setup = testkit::ProgramSetup{};
  setup.exe = testkit::programexe(p.name);
  setup.workdir = workdir;
  // The host libraries SDL loads (D-Bus) keep a few buffers to the end,
  // which are not ours to free: leaks are not checked in this run (the
  // headless runs of the same steps check ours).
  setup.env = {{"TSD_DISPLAY", "sdl"}, {"DISPLAY", server.display()}, {"TSD_SCRIPT", ""}, {"WAYLAND_DISPLAY", ""},
               {"LSAN_OPTIONS", "detect_leaks=0"}};
  setup.env.insert(setup.env.end(), env.begin(), env.end());
  setup.timeout_seconds = 60;
  pid_ = testkit::startprogram(setup);
  return pid_ > 0;
}

testkit::ProgramRun OnX::end(int seconds) {
  setup.timeout_seconds = seconds;
  testkit::ProgramRun run = testkit::waitprogram(setup, pid_);
  pid_ = -1;
  return run;
}

bool OnX::reach(const std::function<bool()>& ready, const std::string& what) {
  if (waitfor(ready, kPatience)) return true;
  keepscreen("failed");
  // Whether the program still runs, and the server's windows, for a fault
  // that a picture alone cannot tell (a window never mapped, or iconified).
  std::string program = "not started";
  if (pid_ > 0) {
    program = testkit::readfile("/proc/" + std::to_string(pid_) + "/stat");
    const std::size_t close = program.rfind(')');
    program = close != std::string::npos && close + 2 < program.size() ? "state " + program.substr(close + 2, 1)
                                                                         : "ended";
  }
  ADD_FAILURE() << what << " did not come (screen: " << shot("failed") << "); program " << program
                << "; windows:" << x.describe();
  return false;
}

unsigned long OnX::window(const std::string& title, Box* where) {
  unsigned long w = x.find(title);
  if (w && where && !x.place(w, where)) return 0;
  return w;
}

bool OnX::ready(const std::string& title) {
  Box b;
  unsigned long w = window(title, &b);
  if (w == 0 || x.focus() != w) return false;
  plat::Surface caption = x.grab(Box{b.x + b.w * 2 / 3, b.y + 8, 1, 1});
  return caption.width == 1 && caption.row(0)[0] == syscolour(plat::COLOR_ACTIVECAPTION);
}

bool OnX::focuson(const std::string& title) {
  return reach([&] { return ready(title); }, "keyboard focus on \"" + title + "\"");
}

bool OnX::menu(const std::vector<std::string>& keys) {
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

bool OnX::gone(const std::string& title) {
  return reach([&] { return window(title) == 0; }, "the end of \"" + title + "\"");
}

bool OnX::loadsample(const Program& p) {
  if (!menu(p.load) || !focuson("Czytanie danych")) return false;
  if (!x.type("sample.dat") || !x.keys({"Return"})) return false;
  if (!gone("Czytanie danych") || !focuson(p.title)) return false;
  return p.prepare.empty() || x.keys(xkeys(p.prepare));
}

void OnX::keepscreen(const std::string& name) { plat::WriteSurfacePng(x.grab(Box{0, 0, 1024, 768}), shot(name)); }

std::string OnX::shot(const std::string& name) const {
  const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string test = t ? std::string(t->test_suite_name()) + "_" + t->name() : "desktop";
  for (char& c : test)
    if (c == '/') c = '_';
  return shotfolder() + "/" + test + "_" + name + ".png";
}

}  // namespace tsd::desktop
