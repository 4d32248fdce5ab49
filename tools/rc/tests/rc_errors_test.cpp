// The resource compiler run on scripts: every fault refused with the file
// and line that hold it and no output written, and the preprocessor's
// conditionals and defines compiled, and the styles of short control
// forms as given.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/testkit/files.h"

namespace {

struct RcRun {
  int code;
  std::string err;
  std::string out;  // the generated source, when written
};

RcRun run_rc(const std::string& script) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("tsd_rc_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "bad.rc") << script;
  std::ofstream(dir / "ids.h") << "#define A 1\n#define B(x) x\n";
  std::ofstream(dir / "notbmp.bmp") << "XXXXXXXX";
  std::string cmd = std::string(TSD_RC_TOOL) + " " + (dir / "bad.rc").string() + " " +
                    (dir / "out.cpp").string() + " 2> " + (dir / "err.txt").string();
  int st = std::system(cmd.c_str());
  const std::string err = tsd::testkit::readfile(dir / "err.txt");
  bool written = fs::exists(dir / "out.cpp");
  const std::string out = written ? tsd::testkit::readfile(dir / "out.cpp") : std::string();
  fs::remove_all(dir);
  EXPECT_FALSE(written && WEXITSTATUS(st) != 0) << "no output after a fault";
  return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, err, out};
}

TEST(ResourceCompiler, FaultsNameTheirLine) {
  struct Case {
    const char* script;
    const char* where;    // "bad.rc:N:" expected in the message
    const char* message;  // part of the message
  };
  const Case cases[] = {
      {"1 MENU\nBEGIN\n  MENUITEM \"a\" 5\nEND\n", "bad.rc:3:", "expected ','"},
      {"1 MENU\nBEGIN\n  MENUITEM \"a\", NOPE\nEND\n", "bad.rc:3:", "undefined symbol 'NOPE'"},
      {"1 MENU\nBEGIN\n  POPUP \"x\"\n  BEGIN\n", "bad.rc:4:", "end of file"},
      {"\n\n1 RCDATA { \"unterminated }\n", "bad.rc:3:", "unterminated string"},
      {"1 RCDATA { 70000 }\n", "bad.rc:1:", "out of range"},
      {"1 RCDATA { 1 }\n1 RCDATA { 2 }\n", "bad.rc:2:", "defined twice"},
      {"STRINGTABLE\nBEGIN\n 1 \"\xe2\x82\xac ok\"\n 2 \"\xe4\xb8\xad\"\nEND\n", "bad.rc:4:",
       "not in code page 1250"},
      {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  CONTROL \"\", 5, 10, 10, 10, 10\nEND\n", "bad.rc:3:",
       "class"},
      {"1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_POPUP |\nBEGIN\nEND\n", "bad.rc:3:", "expected a number"},
      {"1 BITMAP \"missing.bmp\"\n", "bad.rc:1:", "cannot open"},
      {"1 BITMAP \"notbmp.bmp\"\n", "bad.rc:1:", "not a bitmap"},
      {"#include \"ids.h\"\n", "ids.h:2:", "arguments"},
      {"#include \"none.h\"\n", "bad.rc:1:", "cannot open"},
      {"#ifdef A\n", "bad.rc:1:", "#endif"},
      {"1 ACCELERATORS\nBEGIN\n \"ab\", 3\nEND\n", "bad.rc:3:", "one character"},
      {"1 ACCELERATORS\nBEGIN\n \"a\", 3, CONTROL\nEND\n", "bad.rc:3:", "VIRTKEY"},
      {"1 WIDGET\n", "bad.rc:1:", "resource type"},
      {"/* never closed\n\n", "bad.rc:1:", "unterminated comment"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    RcRun r = run_rc(c.script);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(c.where), std::string::npos) << "stderr: " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << "stderr: " << r.err;
  }
}

TEST(ResourceCompiler, ConditionalsAndDefinesCompile) {
  RcRun ok = run_rc("#define X 3\n#ifndef Y\nX RCDATA { X }\n#else\n#error no\n#endif\n");
  EXPECT_EQ(ok.code, 0) << ok.err;
}

// The style double word as the generated source lists it: its four bytes,
// least significant first, in decimal.
std::string stylebytes(unsigned style) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += std::to_string((style >> (8 * i)) & 0xff) + (i < 3 ? ", " : "");
  return s;
}

TEST(ResourceCompiler, AComboBoxKindGivenReplacesTheDefaultSimpleOne) {
  RcRun r = run_rc(
      "1 DIALOGEX 0, 0, 100, 100\nBEGIN\n"
      "  COMBOBOX 7, 1, 1, 50, 50, CBS_DROPDOWN | WS_VSCROLL\n"
      "  COMBOBOX 8, 1, 1, 50, 50, CBS_DROPDOWNLIST\n"
      "  COMBOBOX 9, 1, 1, 50, 50\n"
      "  COMBOBOX 10, 1, 1, 50, 50, WS_VSCROLL\n"
      "END\n");
  ASSERT_EQ(r.code, 0) << r.err;
  constexpr unsigned kChild = 0x50000000, kTabStop = 0x00010000, kVScroll = 0x00200000;
  EXPECT_NE(r.out.find(stylebytes(kChild | kTabStop | kVScroll | 2)), std::string::npos) << "CBS_DROPDOWN";
  EXPECT_EQ(r.out.find(stylebytes(kChild | kTabStop | kVScroll | 3)), std::string::npos)
      << "CBS_DROPDOWN joined to the default CBS_SIMPLE is a drop-down list";
  EXPECT_NE(r.out.find(stylebytes(kChild | kTabStop | 3)), std::string::npos) << "CBS_DROPDOWNLIST";
  EXPECT_NE(r.out.find(stylebytes(kChild | kTabStop | 1)), std::string::npos) << "the default, simple";
  EXPECT_NE(r.out.find(stylebytes(kChild | kTabStop | kVScroll | 1)), std::string::npos)
      << "flags without a kind keep the simple default";
}

}  // namespace
