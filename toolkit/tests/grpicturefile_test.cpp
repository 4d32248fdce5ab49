// Pictures saved from the drawing surface as PCX and BMP files and shown
// again: round trips on displays of 2, 16 and 256 (palette) colours and
// true colour, natural and stretched showing, clipping, and failures that
// draw nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/kernel/kernel.h"
#include "toolkit/graphics/graphics.h"
#include "toolkit/graphics/grcolours.h"
#include "toolkit/graphics/mwing.h"
#include "tools/testkit/grscreen.h"
#include "tools/testkit/small_disk.h"
#include "tools/testkit/write_limit.h"

namespace tsd {
namespace {

namespace fs = std::filesystem;
using grtest::Screen;

enum class Format { pcx, bmp };

// A folder of its own for the files of one test.
struct Folder {
  fs::path path;
  explicit Folder(const std::string& name) {
    path = fs::temp_directory_path() / ("tsd_picture_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~Folder() { fs::remove_all(path); }
  std::string file(const std::string& name) const { return (path / name).string(); }
};

int save(Format f, int x1, int y1, int x2, int y2, const std::string& name, int& oserror) {
  int status = -1;
  if (f == Format::pcx)
    xxmwinbitimage_pcx(19, x1, y1, x2, y2, 0, status, oserror, name.c_str());
  else
    xxmwinbitimage(0, x1, y1, x2, y2, 0, status, oserror, name.c_str());
  return status;
}

int show(Format f, int x1, int y1, int x2, int y2, int stretch, const std::string& name, int& oserror) {
  int status = -1;
  if (f == Format::pcx)
    xxmwinbitimage_pcx(0, x1, y1, x2, y2, stretch, status, oserror, name.c_str());
  else
    xxmwinbitimage(20, x1, y1, x2, y2, stretch, status, oserror, name.c_str());
  return status;
}

// Colour numbers of the 256 table whose levels a 64-colour cube holds, so
// that an 8-bit PCX file of a true-colour display keeps them exactly.
std::vector<int> cubecolours() {
  std::vector<int> out;
  auto oncube = [](int v) { return v == 0 || v == 0x7f || v == 0xbf || v == 0xff; };
  for (int c = 1; c < 256; ++c) {
    int r = 0, g = 0, b = 0;
    xxpalg(c, r, g, b);
    if (oncube(r) && oncube(g) && oncube(b)) out.push_back(c);
  }
  return out;
}

// A small picture: bands of colour squares, a circle and a diagonal line,
// drawn by the graphics layer into the lower left of the window.
void drawpicture(const std::vector<int>& colours) {
  igrareaclear();
  igrarea(0.0f, 0.0f, 0.5f, 0.5f);
  igrunits(0.0f, 0.0f, 8.0f, 8.0f);
  igrfillpattern(4);
  for (int i = 0; i < 16; ++i) {
    igrcolourn(colours[static_cast<std::size_t>(i) % colours.size()]);
    const float x = static_cast<float>(i % 4) * 2.0f, y = static_cast<float>(i / 4) * 2.0f;
    const float px[] = {x, x + 1.6f, x + 1.6f, x};
    const float py[] = {y, y, y + 1.4f, y + 1.4f};
    igrpolygoncomplex(px, py, 4);
  }
  igrcolourn(colours[1 % colours.size()]);
  igrcircle(4.0f, 4.0f, 2.5f);
  igrcolourn(colours[2 % colours.size()]);
  igrmoveto(0.0f, 0.0f);
  igrlineto(8.0f, 7.0f);
}

std::vector<std::uint32_t> region(const Screen& s, int x, int y, int w, int h) {
  std::vector<std::uint32_t> out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.push_back(s.at(x + i, y + j));
  return out;
}

TEST(GrPictureFile, RoundTripOnEveryKindOfDisplay) {
  struct Case {
    const char* what;
    int ncolours, bits;
    Format format;
  };
  const Case cases[] = {
      {"PCX, 2 colours", 2, 1, Format::pcx},          {"BMP, 2 colours", 2, 1, Format::bmp},
      {"PCX, 16 colours", 16, 4, Format::pcx},        {"BMP, 16 colours", 16, 4, Format::bmp},
      {"PCX, palette display", 128, 8, Format::pcx},  {"BMP, palette display", 128, 8, Format::bmp},
      {"PCX, true colour", 256, 32, Format::pcx},     {"BMP, true colour", 256, 32, Format::bmp},
  };
  Folder folder("roundtrip");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Screen s(200, 160, c.ncolours, 0, c.bits);
    std::vector<int> colours;
    if (c.bits == 32) {
      colours = cubecolours();
      ASSERT_GE(colours.size(), 8u);
    } else {
      for (int i = 1; i < 256; i += 7) colours.push_back(i);
    }
    drawpicture(colours);
    // The picture lies in rows 80..159; 37 columns leave odd padding.
    const int x = 3, y = 85, w = 37, h = 70;
    const std::vector<std::uint32_t> before = region(s, x, y, w, h);
    std::set<std::uint32_t> distinct(before.begin(), before.end());
    EXPECT_GE(distinct.size(), c.ncolours == 2 ? 2u : 4u) << "the picture is not one colour";
    const std::string name = folder.file(c.format == Format::pcx ? "p.pcx" : "p.bmp");
    int oserror = -1;
    ASSERT_EQ(save(c.format, x, y, x + w - 1, y + h - 1, name, oserror), 0);
    EXPECT_EQ(oserror, 0);
    s.fill(grtest::kMark);
    // The drawing left the area's clip region on; the picture goes outside it.
    xxmwinclip(0, 0, 0, -1);
    ASSERT_EQ(show(c.format, 120, 5, 120, 5, 0, name, oserror), 0);
    const std::vector<std::uint32_t> after = region(s, 120, 5, w, h);
    int wrong = 0;
    for (std::size_t i = 0; i < before.size(); ++i)
      if (after[i] != before[i] && ++wrong <= 3)
        ADD_FAILURE() << "pixel " << i % w << "," << i / w << ": expected 0x" << std::hex << before[i] << ", got 0x"
                      << after[i];
    EXPECT_EQ(wrong, 0);
    // Nothing beyond the picture is touched.
    EXPECT_EQ(s.at(120 + w, 5), grtest::kMark);
    EXPECT_EQ(s.at(120, 5 + h), grtest::kMark);
    EXPECT_EQ(s.at(119, 5), grtest::kMark);
  }
}

TEST(GrPictureFile, StretchedIntoTheRectangleAndNaturalSizeClippedToTheArea) {
  Folder folder("stretch");
  for (const Format f : {Format::pcx, Format::bmp}) {
    SCOPED_TRACE(f == Format::pcx ? "PCX" : "BMP");
    Screen s(120, 100);
    s.fill(0x000000);
    // A 4 x 3 picture of distinct pixels.
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) s.surface.row(y)[x] = y == 0 ? (x % 2 ? 0xff0000u : 0x00ff00u) : (x == y ? 0xffffffu : 0x0000ffu);
    const std::vector<std::uint32_t> src = region(s, 0, 0, 4, 3);
    const std::string name = folder.file("s.pic");
    int oserror = 0;
    ASSERT_EQ(save(f, 0, 0, 3, 2, name, oserror), 0);
    s.fill(grtest::kMark);
    // Corners in either order: 8 x 6 pixels, each source pixel 2 x 2.
    ASSERT_EQ(show(f, 27, 15, 20, 10, 1, name, oserror), 0);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x)
        EXPECT_EQ(s.at(20 + x, 10 + y), src[static_cast<std::size_t>((y / 2) * 4 + x / 2)]) << x << "," << y;
    EXPECT_EQ(s.at(28, 10), grtest::kMark);
    EXPECT_EQ(s.at(20, 16), grtest::kMark);
    // At natural size the graphics area's clip region cuts the picture:
    // the region covers columns 51.. and rows 41.. only.
    xxmwinclip(51, 41, 120, 100);
    ASSERT_EQ(show(f, 50, 40, 90, 90, 0, name, oserror), 0);
    EXPECT_EQ(s.at(50, 40), grtest::kMark);
    EXPECT_EQ(s.at(52, 40), grtest::kMark);
    EXPECT_EQ(s.at(50, 42), grtest::kMark);
    EXPECT_EQ(s.at(51, 41), src[5]);
    EXPECT_EQ(s.at(53, 42), src[11]);
    EXPECT_EQ(s.at(54, 41), grtest::kMark) << "natural size, not stretched";
    xxmwinclip(0, 0, 0, -1);
    // At natural size the picture's top left is the first corner (x1, y1),
    // in whatever order the corners come.
    s.fill(grtest::kMark);
    ASSERT_EQ(show(f, 70, 60, 10, 5, 0, name, oserror), 0);
    EXPECT_EQ(region(s, 70, 60, 4, 3), src);
    EXPECT_EQ(s.at(10, 5), grtest::kMark) << "not at the smaller corner";
  }
}

void writebytes(const std::string& name, const std::vector<std::uint8_t>& b) {
  std::ofstream out(name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

TEST(GrPictureFile, FailuresGiveTheirStatusAndDrawNothing) {
  Folder folder("failures");
  Screen s(64, 48);
  s.fill(grtest::kMark);
  const std::string missing = folder.file("missing.pic");
  const std::string nofolder = folder.file("no/such/folder.pic");
  // A PCX file of three planes and a BMP file whose rows are cut short;
  // a metafile or a text file is of the wrong format for both.
  std::vector<std::uint8_t> pcx(128 + 769, 0);
  pcx[0] = 10, pcx[2] = 1, pcx[3] = 8, pcx[65] = 3, pcx[66] = 4, pcx[8] = 3;
  std::vector<std::uint8_t> bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 8, 0, 0, 0, 8, 0, 0, 0,
                                   1, 0, 24, 0};
  bmp.resize(54 + 100, 0x55);
  writebytes(folder.file("bad.pcx"), pcx);
  writebytes(folder.file("bad.bmp"), bmp);
  writebytes(folder.file("text.txt"), {'h', 'e', 'l', 'l', 'o', '\n'});
  struct Case {
    const char* what;
    Format format;
    bool saving;
    std::string name;
    int status;
  };
  const Case cases[] = {
      {"show a missing PCX file", Format::pcx, false, missing, 1},
      {"show a missing BMP file", Format::bmp, false, missing, 1},
      {"save a PCX file into a missing folder", Format::pcx, true, nofolder, 1},
      {"save a BMP file into a missing folder", Format::bmp, true, nofolder, 1},
      {"save under a blank name", Format::bmp, true, "   ", 1},
      {"a PCX file of three planes", Format::pcx, false, folder.file("bad.pcx"), 2},
      {"a BMP file cut short", Format::bmp, false, folder.file("bad.bmp"), 2},
      {"a text file as PCX", Format::pcx, false, folder.file("text.txt"), 2},
      {"a text file as BMP", Format::bmp, false, folder.file("text.txt"), 2},
      {"a folder as BMP", Format::bmp, false, folder.path.string(), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int oserror = 0;
    const int status = c.saving ? save(c.format, 0, 0, 9, 9, c.name, oserror)
                                : show(c.format, 0, 0, 63, 47, 1, c.name, oserror);
    EXPECT_EQ(status, c.status);
    if (c.status == 1) {
      EXPECT_NE(oserror, 0) << "the system's error code";
    } else {
      EXPECT_EQ(oserror, 0);
    }
    EXPECT_EQ(s.count(grtest::kMark), 64 * 48) << "nothing drawn";
  }
}

TEST(GrPictureFile, SavingAndShowingLeaveNoOtherFileBehind) {
  Folder folder("nofiles");
  const fs::path old = fs::current_path();
  fs::current_path(folder.path);
  {
    Screen s(40, 30);
    int oserror = 0;
    EXPECT_EQ(save(Format::pcx, 0, 0, 19, 9, "a.pcx", oserror), 0);
    EXPECT_EQ(save(Format::bmp, 0, 0, 19, 9, "a.bmp", oserror), 0);
    EXPECT_EQ(show(Format::pcx, 0, 0, 19, 9, 0, "a.pcx", oserror), 0);
    EXPECT_EQ(show(Format::bmp, 0, 0, 19, 9, 0, "a.bmp  ", oserror), 0) << "trailing blanks are not part of the name";
  }
  fs::current_path(old);
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder.path)) names.insert(e.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"a.bmp", "a.pcx"}));
}

// The folder's entries other than the filler of a full disk.
std::set<std::string> entries(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().filename() != ".filler") names.insert(e.path().filename().string());
  return names;
}

std::string contents(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Saving over an old picture on a full disk (a small file system filled
// up, or where none can be mounted a file size limit below the size of any
// picture): the save fails with the system's error, the old picture stays
// byte for byte, and no temporary file is left.
TEST(GrPictureFile, SaveOnAFullDiskKeepsTheOldPictureAndGivesTheSystemError) {
  Folder folder("fulldisk");
  const std::string dir = folder.file("disk");
  testkit::SmallDisk disk(dir, 64 * 1024);
  if (!disk.mounted()) {
    fs::create_directories(dir);
    std::printf("no small disk (%s): a file size limit stands in for it\n", disk.why().c_str());
  }
  Screen s(40, 30);
  for (const Format f : {Format::pcx, Format::bmp}) {
    SCOPED_TRACE(f == Format::pcx ? "PCX" : "BMP");
    const std::string name = dir + "/old.pic";
    const std::string old = "the old picture's bytes";
    { std::ofstream(name, std::ios::binary) << old; }
    int oserror = 0, status = -1;
    if (disk.mounted()) {
      ASSERT_TRUE(disk.fill());
      status = save(f, 0, 0, 39, 29, name, oserror);
      fs::remove(dir + "/.filler");
    } else {
      testkit::FileSizeLimit limit(512);
      ASSERT_TRUE(limit.ok());
      status = save(f, 0, 0, 39, 29, name, oserror);
    }
    EXPECT_EQ(status, 2);
    EXPECT_NE(oserror, 0) << "the system's error code";
    if (disk.mounted()) {
      EXPECT_EQ(oserror, static_cast<int>(plat::ERROR_DISK_FULL));
    }
    EXPECT_EQ(contents(name), old) << "the old picture, whole";
    EXPECT_EQ(entries(dir), std::set<std::string>{"old.pic"}) << "no temporary file left";
    // With room again the same save replaces it.
    EXPECT_EQ(save(f, 0, 0, 39, 29, name, oserror), 0);
    EXPECT_NE(contents(name), old);
    EXPECT_EQ(entries(dir), std::set<std::string>{"old.pic"});
  }
}

// A picture saved under the name of a link replaces the file the link
// names, which keeps its permissions; the link stays a link.
TEST(GrPictureFile, SaveThroughALinkReplacesTheFileItNames) {
  Folder folder("link");
  const std::string target = folder.file("target.bmp"), link = folder.file("link.bmp");
  { std::ofstream(target, std::ios::binary) << "old"; }
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  fs::create_symlink(target, link);
  Screen s(20, 10);
  int oserror = 0;
  ASSERT_EQ(save(Format::bmp, 0, 0, 19, 9, link, oserror), 0);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(contents(target).substr(0, 2), "BM");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(entries(folder.path), (std::set<std::string>{"link.bmp", "target.bmp"}));
}

TEST(GrPictureFile, ScreenshotOfAShownPicture) {
  Folder folder("shot");
  Screen s(320, 240);
  std::vector<int> colours;
  for (int i = 1; i < 256; i += 5) colours.push_back(i);
  drawpicture(colours);
  int oserror = 0;
  const std::string name = folder.file("shot.bmp");
  ASSERT_EQ(save(Format::bmp, 2, 128, 81, 187, name, oserror), 0);
  // The middle of the picture again, twice as large over the top right
  // quarter, and at its natural size in the top left.
  xxmwinclip(0, 0, 0, -1);
  ASSERT_EQ(show(Format::bmp, 160, 0, 319, 119, 1, name, oserror), 0);
  ASSERT_EQ(show(Format::bmp, 0, 0, 0, 0, 0, name, oserror), 0);
  const std::string png = s.save("grpicturefile.png");
  SCOPED_TRACE(png);
  EXPECT_EQ(region(s, 0, 0, 80, 60), region(s, 2, 128, 80, 60));
  EXPECT_EQ(s.at(160, 0), s.at(2, 128));
  EXPECT_EQ(s.at(319, 119), s.at(81, 187));
}

}  // namespace
}  // namespace tsd
