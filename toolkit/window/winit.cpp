// winitialise: learns the display, gives the toolkit's records their start
// values and reads the configuration file (KEY=VALUE lines): the file
// named by the caller when it exists, else the one named by QUORINIT, else
// "quorba.ini". QRBCHDIR gives the character-set directory, QUORDEBUG the
// debug level.
#include "toolkit/window/winit.h"

#include <filesystem>
#include <limits>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/user/user.h"
#include "runtime/regularfile.h"
#include "text/cp1250.h"
#include "toolkit/graphics/grrecords.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/oswin.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/winconfig.h"
#include "toolkit/window/wmessage.h"
#include "toolkit/window/wstate.h"

namespace tsd {

namespace {

constexpr int kGuard = -9999;
constexpr int kDirLength = 140;    // the system directory

// Display colours from bits per pixel times planes (bits capped at 24).
int displaycolours(int bits, int planes) {
  if (bits > 24) bits = 24;
  if (bits < 1) bits = 1;
  if (planes < 1) planes = 1;
  int power = bits * planes;
  if (power > 30) power = 30;
  return 1 << power;
}

// The graphics layer's count of device colours for a display.
int devicecolours(int colours) {
  if (colours <= 2) return 2;
  if (colours <= 16) return 8;
  if (colours <= 256) return 16;
  return 256;
}

// The whole value of an environment variable; empty when it is unset.
std::string environment(const char* name) {
  char probe = '\0';
  int needed = 0;
  xxgenv(needed, name, &probe, 1);  // a value that does not fit gives the size it needs
  if (needed <= 0) return std::string();
  std::string value(static_cast<std::size_t>(needed) + 1, '\0');
  int length = 0;
  xxgenv(length, name, value.data(), needed + 1);
  if (length <= 0 || length > needed) return std::string();
  value.resize(static_cast<std::size_t>(length));
  return value;
}

// A directory ends with the separator, when there is room for it.
void endwithseparator(std::span<char> dir) {
  int n = iactuallength(std::string_view(dir.data(), dir.size()));
  if (n == 0 || dir[static_cast<std::size_t>(n - 1)] == quorba05.separator) return;
  if (static_cast<std::size_t>(n) < dir.size()) dir[static_cast<std::size_t>(n)] = quorba05.separator;
}

// An integer value, or false; the error code of the attempt is cleared.
bool integervalue(const std::string& text, int& value) {
  int v = 0;
  istringtointeger(text, v);
  int code = infoerror(1);
  if (code != 0) return false;
  value = v;
  return true;
}

void display() {
  quorba01.screenwidth = plat::GetSystemMetrics(plat::SM_CXSCREEN);
  quorba01.screenheight = plat::GetSystemMetrics(plat::SM_CYSCREEN);
  // The screen's own capabilities (no device context needed).
  int bits = plat::GetDeviceCaps(nullptr, plat::BITSPIXEL);
  int planes = plat::GetDeviceCaps(nullptr, plat::PLANES);
  quorba01.colours = displaycolours(bits, planes);
  wsys.wScreenWidth = quorba01.screenwidth;
  wsys.wScreenHeight = quorba01.screenheight;
  wsys.wScreenCols = quorba01.colours;
  grdevice.requested = devicecolours(quorba01.colours);
  int kind = 0;
  xxmwinvariant(kind);
  wsys.Win32s = kind == 2 ? 1 : 0;
  wsys.Win9x = kind == 3 ? 1 : 0;
  wsys.WinNT = kind == 4 ? 1 : 0;
  int major = 0, minor = 0;
  xxmwinver(major, minor);
  wsys.WinVer = major;
}

}  // namespace

void yylearndisplay() { display(); }

void yyapplyconfigline(std::string_view line) {
  ConfigSetting s;
  if (!yyconfigline(line, &s)) return;
  if (s.key.size() < 3) return;
  int v = 0;
  // Every value is also tried as an integer; its error code never stays.
  const bool isinteger = integervalue(s.value, v);
  if (s.key == "PRINTER") {
    if (isinteger) tkdevices.printer = v;
  } else if (s.key == "PLOTTER") {
    if (isinteger) tkdevices.plotter = v;
  } else if (s.key == "PLNAME") {
    assign(tkfiles.plotfile, s.value);
  } else if (s.key == "CHARSET") {
    assign(tkfiles.charset, s.value);
  } else if (s.key == "CHARDIR") {
    assign(tkfiles.chardir, s.value);
    endwithseparator(tkfiles.chardir);
  } else if (s.key == "LFNGEN") {
    // A unit number is taken only when it equals the two others, as it
    // always was: with the units 40, 41 and 42 these keys have no effect.
    if (isinteger && v == tkunits.plotout && v == tkunits.plotin) tkunits.general = v;
  } else if (s.key == "LFNPLOTO") {
    if (isinteger && v == tkunits.general && v == tkunits.plotin) tkunits.plotout = v;
  } else if (s.key == "LFNPLOTI") {
    if (isinteger && v == tkunits.general && v == tkunits.plotout) tkunits.plotin = v;
  } else if (s.key == "DEBUG") {
    if (isinteger) idebuglevel(v);
  }
}

bool yyconfigfileexists(std::string_view name) {
  std::error_code ec;
  return !name.empty() && std::filesystem::is_regular_file(text::utf8_from_cp1250(name), ec);
}

bool yyapplyconfigfile(std::string_view name) {
  // Only a regular file, opened so that it never waits: a named pipe or a
  // folder of that name is a file that cannot be opened.
  std::string content;
  if (runtime::readregularfile(text::utf8_from_cp1250(name), content, std::numeric_limits<std::size_t>::max()) !=
      runtime::WholeFileStatus::ok)
    return false;
  std::string_view rest = content;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // The file is UTF-8 like every text on disk; its values (folder and
    // file names) are held in the code page, as the file layer expects.
    yyapplyconfigline(text::cp1250_from_utf8(line, text::kNoCp1250));
  }
  return true;
}

void winitialise(std::string_view filename) {
  if (quorba01.guard == kGuard) return;
  quorba01.guard = kGuard;
  display();
  quorba01.open = 0;
  quorba04.currentdialog = 0;
  quorba05.separator = '/';
  wsys.wBell = 1;
  tkunits = TkUnits{};
  tkdevices = TkDevices{};
  for (int item = 1; item <= 3; ++item) infoerror(item);
  idebuglevel(0);
  for (int& w : quorba01.winflags) w = -1;
  yyresetmessageflags();

  std::string configname = environment("QUORINIT");
  if (trimmed(configname).empty()) configname = "quorba.ini";

  assign(tkfiles.unused, "");
  assign(tkfiles.plotfile, "plandrox.plt");
  assign(tkfiles.charset, "standard.chr");
  // The directory is used whole; one longer than any host path is refused.
  const std::string chardir = environment("QRBCHDIR");
  if (chardir.size() < sizeof tkfiles.chardir) assign(tkfiles.chardir, chardir);
  else assign(tkfiles.chardir, "");
  assign(tkfiles.sysdir, "");
  {
    char sys[kDirLength + 1] = {};
    int status = 0;
    xxsysdir(sys, status, kDirLength + 1);
    if (status == 0) {
      std::string dir(sys);
      if (dir.find(' ') != std::string::npos) dir.resize(dir.find(' '));
      if (!dir.empty() && static_cast<int>(dir.size()) < kDirLength) dir += quorba05.separator;
      assign(tkfiles.sysdir, dir);
    }
  }

  // The debug level is the value's first character.
  const std::string debug = environment("QUORDEBUG");
  if (!debug.empty() && debug[0] != ' ') idebuglevel(debug[0] - '0');

  std::string chosen;
  const std::string argument(trimmed(filename));
  if (yyconfigfileexists(argument)) chosen = argument;
  else if (yyconfigfileexists(trimmed(configname))) chosen = std::string(trimmed(configname));
  if (!chosen.empty()) yyapplyconfigfile(chosen);
  endwithseparator(tkfiles.chardir);
  if (chardir.size() >= sizeof tkfiles.chardir) xxerror(kErrFileOpen);

  grstate.aspect = 1.32f;
}

}  // namespace tsd
