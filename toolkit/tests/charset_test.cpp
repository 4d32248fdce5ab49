// Character sets: the preloading at the layer's start, selection by name
// (current tables, cache, file, configured directory and default), the
// loader's checks and limits, and the binary file routines.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grfont.h"
#include "toolkit/graphics/grrecords.h"
#include "tools/testkit/grtrace.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/records.h"
#include "toolkit/window/strings.h"
#include "tools/testkit/temp_folder.h"

namespace tsd {
namespace {

using Bytes = std::vector<std::uint8_t>;

using grtest::fontdir;
void put32(Bytes& b, std::int32_t v) {
  std::uint32_t u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}
void putf(Bytes& b, float f) {
  std::int32_t v = 0;
  std::memcpy(&v, &f, 4);
  put32(b, v);
}

// A font whose code 33 ('!') holds all of block 1 as one stroke; the other
// codes are empty. The stroke's symbols decide the kind (pen-up 'u' or 'v').
Bytes block1font(int n1, const std::string& glyph33 = "") {
  Bytes b;
  put32(b, n1);
  putf(b, 10.0f);
  putf(b, 20.0f);
  put32(b, 1);
  for (int i = 1; i < 95; ++i) put32(b, n1 + 1);
  std::string s = glyph33;
  if (s.empty()) s = std::string(static_cast<std::size_t>(n1), '5');
  b.insert(b.end(), s.begin(), s.end());
  return b;
}

// Adds glyph sizes and a block 2 of n2 symbols (code 161 holds them all).
void addblock2(Bytes& b, int n1, int n2, bool withsymbols = true) {
  putf(b, 8.0f);
  putf(b, 16.0f);
  put32(b, n2);
  put32(b, n1 + 1);
  for (int i = 1; i < 96; ++i) put32(b, n1 + n2 + 1);
  if (withsymbols) b.insert(b.end(), static_cast<std::size_t>(n2), '7');
}

class CharsetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grtest::freshfonts();
    quorba01.clientwidth = 600;
    quorba01.clientheight = 250;
    tkdevices.screenon = 0;
    igrinit("H");
    infoerror(1);
    infoerror(2);
  }
  void TearDown() override {
    assign(tkfiles.chardir, fontdir());
  }
  std::string write(const std::string& name, const Bytes& b) {
    const std::string p = (dir() / name).string();
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return p;
  }
  const std::filesystem::path& dir() const { return folder_.path(); }
  testkit::TempFolder folder_;
};

std::string currentname() { return std::string(trimmed(text_of(grfontname))); }

TEST_F(CharsetTest, StartPreloadsTheSixFontsAndSelectsTheHardwareFont) {
  // SetUp has started the layer as the first start of a process does.
  for (int i = 0; i < kPreloadedFonts; ++i) {
    SCOPED_TRACE(kPreloadedNames[i]);
    EXPECT_EQ(grfont.available[i], 1);
    EXPECT_EQ(std::string(trimmed(text_of(grfontcache.names[i]))),
              fontdir() + std::string(kPreloadedNames[i]));
  }
  EXPECT_EQ(grfontcache.count, 6);
  EXPECT_EQ(grstate.fontkind, 0);
  EXPECT_EQ(currentname(), fontdir() + "fixedbld.chr") << "the tables hold the last font loaded";
  EXPECT_FLOAT_EQ(grfont.widths[0], 0.70f);
  EXPECT_FLOAT_EQ(grfont.widths[94], 0.90f);
  EXPECT_FLOAT_EQ(grfont.widths[189], 0.83f);
  // A later start keeps the flags, preloads nothing and keeps the error code.
  xxerror(77);
  igrinit("H");
  EXPECT_EQ(grfontcache.count, 6);
  EXPECT_EQ(infoerror(1), 77);
  EXPECT_EQ(currentname(), "") << "igrinit blanks the current font name each time";
}

TEST_F(CharsetTest, SelectionByNameUsesTheDirectoryTheCacheAndTheCurrentTables) {
  igrcharset("swiss.chr   ");
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(currentname(), fontdir() + "swiss.chr");
  EXPECT_EQ(grstate.fontkind, 1);
  EXPECT_EQ(grstate.fonttype, 8);
  igrcharset("h");
  EXPECT_EQ(grstate.fontkind, 0);
  grstate.fonttype = 0;
  igrcharset("swiss.chr");  // the current tables, by name
  EXPECT_EQ(grstate.fontkind, 1);
  EXPECT_EQ(grstate.fonttype, 8);
  EXPECT_EQ(grfontcache.count, 6);
  // A blank name takes the configured default from the directory.
  igrcharset("   ");
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(currentname(), fontdir() + "standard.chr");
  EXPECT_EQ(grfontcache.count, 7);
}

TEST_F(CharsetTest, OnlyASingleHSelectsTheHardwareFont) {
  for (const char* name : {"hh", " H", "nosuch.chr"}) {
    SCOPED_TRACE(name);
    igrcharset("roman.chr");
    const std::string before = currentname();
    igrcharset(name);
    EXPECT_EQ(infoerror(1), kErrFileOpen);
    EXPECT_EQ(currentname(), before);
    EXPECT_EQ(grstate.fontkind, 1);
  }
}

// A named pipe (nobody writes to it) or a folder under a font file's name
// is no font: it is refused at once, as a missing file is.
TEST_F(CharsetTest, APipeOrAFolderInPlaceOfAFontFileIsAMissingFile) {
  const std::string pipe = (dir() / "pipe.chr").string();
  const std::string folder = (dir() / "folder.chr").string();
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  std::filesystem::create_directory(folder);
  for (const std::string& name : {pipe, folder}) {
    SCOPED_TRACE(name);
    igrcharset("roman.chr");
    const std::string before = currentname();
    const int count = grfontcache.count;
    igrcharset(name);
    EXPECT_EQ(infoerror(1), kErrFileOpen);
    EXPECT_EQ(currentname(), before);
    EXPECT_EQ(grstate.fontkind, 1);
    xxrset(name);  // the loader itself
    EXPECT_EQ(infoerror(1), kErrFileOpen);
    EXPECT_EQ(currentname(), before);
    EXPECT_EQ(grfontcache.count, count);
  }
}

TEST_F(CharsetTest, ACachedFontIsTakenFromMemoryButItsFileMustStillExist) {
  const std::string p = write("gone.chr", block1font(4, "0055"));
  igrcharset(p);
  ASSERT_EQ(infoerror(1), 0);
  const int count = grfontcache.count;
  std::filesystem::remove(p);
  igrcharset("H");
  xxrset(p);  // the loader finds it in the cache
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(currentname(), p);
  EXPECT_EQ(grstate.fontkind, 2);
  // A request for a prefix of a cached name finds that entry.
  igrcharset("swiss.chr");
  xxrset(p.substr(0, p.size() - 4));
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(grstate.fontkind, 2);
  EXPECT_FLOAT_EQ(grfont.cellheight, 20.0f);
  EXPECT_EQ(grfontcache.count, count);
  // Selection by name asks for the file first.
  igrcharset("swiss.chr");
  igrcharset(p);
  EXPECT_EQ(infoerror(1), kErrFileOpen);
  EXPECT_EQ(currentname(), fontdir() + "swiss.chr");
}

TEST_F(CharsetTest, OptionalPartsAndKindsOfTheFile) {
  struct Case {
    const char* name;
    Bytes bytes;
    int type;
    int kind;
    float glyphw;
  };
  Bytes onlyglyph = block1font(8, "00uu5555");  // not a valid stroke: rejected below
  Bytes line = block1font(9, "0055u5500");
  Bytes filled = block1font(9, "0055v5500");
  Bytes nosizes = block1font(4, "0055");
  Bytes sizesonly = block1font(4, "0055");
  putf(sizesonly, 8.0f);
  putf(sizesonly, 16.0f);
  Bytes both = block1font(4, "0055");
  addblock2(both, 4, 6);
  Bytes overlimit = block1font(17000);
  addblock2(overlimit, 17000, 1);
  Bytes exact = block1font(17000);
  std::vector<Case> cases = {
      {"line", line, 7, 1, 10.0f},         {"filled", filled, 7, 2, 10.0f},
      {"nosizes", nosizes, 7, 2, 10.0f},   {"sizesonly", sizesonly, 7, 2, 8.0f},
      {"both", both, 8, 2, 8.0f},          {"overlimit", overlimit, 7, 2, 8.0f},
      {"exact", exact, 7, 2, 10.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    igrcharset(write(std::string(c.name) + ".chr", c.bytes));
    EXPECT_EQ(infoerror(1), 0);
    EXPECT_EQ(grstate.fonttype, c.type);
    EXPECT_EQ(grstate.fontkind, c.kind);
    EXPECT_FLOAT_EQ(grfont.glyphwidth, c.glyphw);
  }
}

TEST_F(CharsetTest, ARejectedFileChangesNoTableAndSelectsTheHardwareFont) {
  igrcharset("roman.chr");
  const GrFontTables before = grfont;
  Bytes tooBig = block1font(17001);
  Bytes cut = block1font(100);
  cut.pop_back();
  Bytes badstroke = block1font(6, "00u555");
  Bytes negative = block1font(4, "0055");
  negative[0] = 0xff;
  negative[1] = 0xff;
  negative[2] = 0xff;
  negative[3] = 0xff;
  Bytes empty;
  struct Case {
    const char* name;
    const Bytes* bytes;
  };
  for (const Case& c : {Case{"toobig", &tooBig}, Case{"cut", &cut}, Case{"badstroke", &badstroke},
                        Case{"negative", &negative}, Case{"empty", &empty}}) {
    SCOPED_TRACE(c.name);
    igrcharset("roman.chr");
    const int count = grfontcache.count;
    errstate.os_status = 5;
    igrcharset(write(std::string(c.name) + ".chr", *c.bytes));
    EXPECT_EQ(infoerror(1), kErrFileRead);
    EXPECT_EQ(infoerror(2), 0);
    EXPECT_EQ(grstate.fontkind, 0);
    EXPECT_EQ(currentname(), "");
    EXPECT_EQ(grfontcache.count, count);
    EXPECT_EQ(std::memcmp(grfont.start1, before.start1, sizeof before.start1), 0);
    EXPECT_FLOAT_EQ(grfont.cellwidth, before.cellwidth);
  }
}

TEST_F(CharsetTest, TheCacheHoldsTwentyFontsAndSeventyThousandSymbols) {
  // Big fonts first, until the store is nearly full.
  int used = grfontcache.count == 0 ? 0 : grfontcache.last[grfontcache.count - 1];
  int i = 0;
  while (used + 17000 <= kFontCacheBytes) {
    igrcharset(write("big" + std::to_string(i++) + ".chr", block1font(17000)));
    ASSERT_EQ(infoerror(1), 0);
    used += 17000;
    EXPECT_EQ(grfontcache.last[grfontcache.count - 1], used);
  }
  const int count = grfontcache.count;
  const std::string big = write("toolarge.chr", block1font(17000));
  igrcharset(big);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(currentname(), big) << "current but not cached";
  EXPECT_EQ(grfontcache.count, count);
  // Small fonts fill the remaining entries; the 21st is not cached.
  while (grfontcache.count < kFontCacheFonts) {
    igrcharset(write("small" + std::to_string(i++) + ".chr", block1font(4, "0055")));
    ASSERT_EQ(infoerror(1), 0);
  }
  const std::string extra = write("extra.chr", block1font(4, "0099"));
  igrcharset(extra);
  EXPECT_EQ(currentname(), extra);
  EXPECT_EQ(grfontcache.count, kFontCacheFonts);
  // Not cached: loading it again reads the file (now changed) again.
  write("extra.chr", block1font(6, "005599"));
  igrcharset("H");
  grfontname[0] = ' ';
  igrcharset(extra);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(grfont.start1[1], 7);
}

TEST_F(CharsetTest, BinaryFileRoutines) {
  int h = 0;
  ifileopen("   ", 0, h);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(infoerror(1), kErrFileOpen);
  EXPECT_EQ(infoerror(2), 0);
  const std::string p = write("data.bin", Bytes{1, 2, 3, 4, 5});
  ifileopen(p, 3, h);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(infoerror(1), kErrFileOpen);
  ifileopen(p + "x", 0, h);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(infoerror(1), kErrFileOpen);
  EXPECT_NE(infoerror(2), 0) << "the system's status of the failed open";

  // A name longer than the text buffer is cut to 255 characters and ended.
  ifileopen(std::string(300, 'n'), 0, h);
  EXPECT_EQ(h, -1);
  EXPECT_EQ(std::strlen(grtextbuf), 255u);
  infoerror(1);

  ifileopen("  " + p + "   ", 0, h);
  ASSERT_NE(h, -1);
  EXPECT_EQ(std::string(grtextbuf), p);
  std::uint8_t buf[8] = {};
  int n = 0;
  ifileread(h, buf, 3, n);
  EXPECT_EQ(n, 3);
  char cbuf[8] = {};
  ifilereadchar2(h, cbuf, 8, n);
  EXPECT_EQ(n, 2) << "fewer near the end is no error";
  EXPECT_EQ(cbuf[1], 5);
  ifileread4(h, buf, 8, n);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(infoerror(1), 0);
  ifileclose(h);

  ifileread(h, buf, 8, n);  // closed handle
  EXPECT_EQ(n, -1);
  EXPECT_EQ(infoerror(1), kErrFileRead);
  EXPECT_NE(infoerror(2), 0);
}

TEST_F(CharsetTest, APathLongerThanTheNameFieldStillLoads) {
  const std::string deep = (dir() / std::string(150, 'd')).string();
  std::filesystem::create_directories(deep);
  const std::string p = deep + "/font.chr";
  {
    const Bytes b = block1font(4, "0055");
    std::ofstream out(p, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  }
  ASSERT_GT(p.size(), static_cast<std::size_t>(kFontNameLength));
  igrcharset(p);
  EXPECT_EQ(infoerror(1), 0);
  EXPECT_EQ(grstate.fontkind, 2);
  EXPECT_EQ(currentname(), p.substr(0, kFontNameLength));
}

}  // namespace
}  // namespace tsd
