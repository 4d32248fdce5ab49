// varnel1's parameter file: read at start-up, rewritten in the start
// directory, refused when it holds what the program cannot work with.
#include "analysis/varnel1/varnel1_params.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "text/cp1250.h"
#include "tools/testkit/files.h"
#include "tools/testkit/paramgen.h"
#include "tools/testkit/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using tsd::varnel1::AnalysisState;
using tsd::varnel1::ParamsStatus;
using tsd::varnel1::Settings;

const char* name_of(ParamsStatus s) {
  switch (s) {
    case ParamsStatus::ok:
      return "ok";
    case ParamsStatus::missing:
      return "missing";
    case ParamsStatus::unreadable:
      return "unreadable";
    case ParamsStatus::out_of_range:
      return "out_of_range";
    case ParamsStatus::write_failed:
      return "write_failed";
  }
  return "?";
}

std::string u8(const std::string& cp) { return text::utf8_from_cp1250(cp); }

constexpr const char* kDefault =
    "  201  1  0  1\n"
    "  1  1  1  1\n"
    "  1  2  1  2\n"
    "  2  1  2  1\n"
    "  3  3  1\n"
    "  2  1  0\n"
    "  1  2  1\n"
    "  1  2\n";

// Every value of the file but nwyj and the graph number is the same.
void expect_same_settings(const Settings& a, const AnalysisState& as,
                          const Settings& b, const AnalysisState& bs) {
  EXPECT_EQ(a.gridflag, b.gridflag);
  EXPECT_EQ(a.tabseries, b.tabseries);
  EXPECT_EQ(a.tminmode, b.tminmode);
  EXPECT_EQ(a.tmaxmode, b.tmaxmode);
  EXPECT_EQ(a.tinimode, b.tinimode);
  EXPECT_EQ(a.tlimmode, b.tlimmode);
  EXPECT_EQ(a.plotseries, b.plotseries);
  EXPECT_EQ(a.calctminmode, b.calctminmode);
  EXPECT_EQ(a.calctmaxmode, b.calctmaxmode);
  EXPECT_EQ(as.intmethod, bs.intmethod);
  EXPECT_EQ(as.p0method, bs.p0method);
}

// Each test runs in a fresh directory of its own as the current directory.
class Varnel1Params : public tsd::testkit::InTempFolder {
 protected:
  void SetUp() override {
    InTempFolder::SetUp();
    dir_ = dir();
    fs::create_directories(dir_ / "other");
  }
  void write_par(const std::string& contents) {
    std::ofstream(dir_ / "VARNEL1.PAR", std::ios::binary) << contents;
  }

  fs::path dir_;
  // The state is large: it lives on the heap.
  std::unique_ptr<tsd::varnel1::State> all_ = std::make_unique<tsd::varnel1::State>();
  Settings& settings_ = all_->settings;
  AnalysisState* state_ = &all_->analysis;
};

TEST_F(Varnel1Params, ReadsEveryRecordIntoItsSettings) {
  write_par(kDefault);
  settings_.curgraph = 3;
  const tsd::varnel1::ParamsResult r = tsd::varnel1::readparams(*all_);
  ASSERT_EQ(r.status, ParamsStatus::ok) << name_of(r.status) << ": " << u8(r.problem);
  EXPECT_EQ(state_->nwyj, 201);
  EXPECT_EQ(settings_.defgraph, 1);
  EXPECT_EQ(settings_.curgraph, 0);
  EXPECT_EQ(settings_.gridflag, 0);
  EXPECT_EQ(settings_.tabseries, 1);
  EXPECT_EQ(settings_.tminmode, (Settings::SeriesInts{1, 1, 2}));
  EXPECT_EQ(settings_.tmaxmode, (Settings::SeriesInts{1, 2, 1}));
  EXPECT_EQ(settings_.tinimode, (Settings::SeriesInts{1, 1, 2}));
  EXPECT_EQ(settings_.tlimmode, (Settings::SeriesInts{1, 2, 1}));
  EXPECT_EQ(state_->intmethod, (AnalysisState::SeriesInts{3, 2, 1}));
  EXPECT_EQ(state_->p0method, (AnalysisState::SeriesInts{3, 1, 2}));
  EXPECT_EQ(settings_.plotseries, (Settings::SeriesInts{1, 0, 1}));
  EXPECT_EQ(settings_.jmask, (Settings::SeriesInts{0, 0, 1}));
  EXPECT_EQ(settings_.calctminmode, 1);
  EXPECT_EQ(settings_.calctmaxmode, 2);
  EXPECT_EQ(u8(settings_.startdir), fs::current_path().string());
}

TEST_F(Varnel1Params, FreeFormatRecordsSpreadOverLinesAndCommas) {
  // Record 1 over two lines with commas, an extra value on record 2's line
  // (ignored), CR LF line ends.
  write_par(
      "121,2\r\n 1 , 3\r\n1 1 1 1 9\r\n1 1 1 1\r\n1 1 1 1\r\n1 1 1\r\n1 1 1\r\n1 1 1\r\n2 2\r\n");
  const tsd::varnel1::ParamsResult r = tsd::varnel1::readparams(*all_);
  ASSERT_EQ(r.status, ParamsStatus::ok) << u8(r.problem);
  EXPECT_EQ(state_->nwyj, 121);
  EXPECT_EQ(settings_.defgraph, 2);
  EXPECT_EQ(settings_.gridflag, 1);
  EXPECT_EQ(settings_.tabseries, 3);
  EXPECT_EQ(settings_.calctmaxmode, 2);
}

TEST_F(Varnel1Params, RewriteGoesToTheStartDirectoryAndReadsBackTheSame) {
  write_par(kDefault);
  ASSERT_TRUE(tsd::varnel1::readparams(*all_).ok());
  // What the user changed since, with a file dialog having moved the
  // current directory.
  settings_.curgraph = 2;
  settings_.gridflag = 1;
  settings_.tabseries = 3;
  state_->nwyj = 121;
  settings_.tminmode[1] = 2;
  state_->intmethod[2] = 3;
  settings_.plotseries[1] = 1;
  fs::current_path(dir_ / "other");
  const tsd::varnel1::ParamsResult w = tsd::varnel1::writeparams(*all_);
  ASSERT_EQ(w.status, ParamsStatus::ok) << u8(w.problem);
  EXPECT_FALSE(fs::exists(dir_ / "other" / "VARNEL1.PAR"));
  const std::string expected =
      "  121  2  1  3\n"
      "  1  1  1  1\n"
      "  2  2  1  2\n"
      "  2  1  2  1\n"
      "  3  3  1\n"
      "  2  1  1\n"
      "  3  2  1\n"
      "  1  2\n";
  EXPECT_EQ(tsd::testkit::readfile(dir_ / "VARNEL1.PAR"), expected);
  // No temporary file is left beside it.
  int files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 2) << "VARNEL1.PAR and other/ only";

  // A second start in the start directory reads it back: the graph shown
  // becomes the graph to show.
  fs::current_path(dir_);
  auto state2_all = std::make_unique<tsd::varnel1::State>();
  Settings& again = state2_all->settings;
  AnalysisState* state2 = &state2_all->analysis;
  ASSERT_TRUE(tsd::varnel1::readparams(*state2_all).ok());
  EXPECT_EQ(again.defgraph, 2);
  expect_same_settings(again, *state2, settings_, *state_);
  EXPECT_EQ(state2->nwyj, 121);
  // And a rewrite of that gives the same bytes.
  again.curgraph = again.defgraph;
  ASSERT_TRUE(tsd::varnel1::writeparams(*state2_all).ok());
  EXPECT_EQ(tsd::testkit::readfile(dir_ / "VARNEL1.PAR"), expected);
}

TEST_F(Varnel1Params, FirstRecordIsFourteenCharacters) {
  settings_.startdir = text::cp1250_from_utf8(dir_.string());
  state_->nwyj = 121;
  settings_.curgraph = 1;
  settings_.gridflag = 0;
  settings_.tabseries = 1;
  ASSERT_TRUE(tsd::varnel1::writeparams(*all_).ok());
  const std::string text = tsd::testkit::readfile(dir_ / "VARNEL1.PAR");
  EXPECT_EQ(text.substr(0, text.find('\n')), "  121  1  0  1");
}

TEST_F(Varnel1Params, MissingFileIsReportedDistinctly) {
  const tsd::varnel1::ParamsResult r = tsd::varnel1::readparams(*all_);
  EXPECT_EQ(r.status, ParamsStatus::missing) << name_of(r.status);
  EXPECT_EQ(u8(tsd::varnel1::paramsmissingtext()), "Błąd odczytu parametrów");
  EXPECT_NE(u8(tsd::varnel1::paramsproblemtext(r)).find("VARNEL1.PAR"), std::string::npos)
      << u8(tsd::varnel1::paramsproblemtext(r));
}

// Files the program refuses: the status, the record named, and nothing set.
struct BadFile {
  const char* what;
  const char* contents;
  ParamsStatus status;
  int record;
};

const BadFile kBadFiles[] = {
    {"letters", "  201  1  0  1\n  1  1  1  1\n  1 x  1  1\n", ParamsStatus::unreadable, 3},
    {"decimal point in an integer", "  201.0  1  0  1\n", ParamsStatus::unreadable, 1},
    {"ends after six records",
     "  201  1  0  1\n  1  1  1  1\n  1  1  1  1\n  1  1  1  1\n  3  3  1\n  2  1  1\n",
     ParamsStatus::unreadable, 7},
    {"empty file", "", ParamsStatus::unreadable, 1},
    {"null value", ",1,0,1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1\n",
     ParamsStatus::unreadable, 1},
    {"Nwyj 1 (grid step divides by zero)",
     "1 1 0 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1\n", ParamsStatus::out_of_range,
     1},
    {"Nwyj 801", "801 1 0 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1\n",
     ParamsStatus::out_of_range, 1},
    {"table series 4", "121 1 0 4\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1\n",
     ParamsStatus::out_of_range, 1},
    {"table series 0", "121 1 0 0\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1\n",
     ParamsStatus::out_of_range, 1},
    {"mode 3 in series 2", "121 1 0 1\n1 1 1 1\n1 1 3 1\n1 1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1\n",
     ParamsStatus::out_of_range, 3},
    {"integration method 4 in series 2",
     "121 1 0 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n4 1 1\n1 1 1\n1 1\n", ParamsStatus::out_of_range,
     6},
    {"P0 method 0 in series 3", "121 1 0 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n1 1 1\n1 0 1\n1 1\n",
     ParamsStatus::out_of_range, 7},
    {"output-range mode 0", "121 1 0 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 0\n",
     ParamsStatus::out_of_range, 8},
    {"graph number that cannot be written back",
     "121 1000 0 1\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 1\n1 1 1\n1 1 1\n1 1\n",
     ParamsStatus::out_of_range, 1},
};

TEST_F(Varnel1Params, RefusedFilesNameTheirRecordAndChangeNothing) {
  for (const BadFile& c : kBadFiles) {
    SCOPED_TRACE(c.what);
    write_par(c.contents);
    auto st_all = std::make_unique<tsd::varnel1::State>();
    Settings& s = st_all->settings;
    AnalysisState* st = &st_all->analysis;
    s.tabseries = 2;
    s.defgraph = 3;
    s.tminmode = {2, 2, 2};
    st->nwyj = 55;
    st->intmethod = {2, 2, 2};
    const tsd::varnel1::ParamsResult r = tsd::varnel1::readparams(*st_all);
    EXPECT_EQ(r.status, c.status) << "got " << name_of(r.status) << ": " << u8(r.problem);
    EXPECT_EQ(r.record, c.record);
    const std::string text = u8(tsd::varnel1::paramsproblemtext(r));
    EXPECT_NE(text.find("VARNEL1.PAR: rekord " + std::to_string(c.record)), std::string::npos)
        << text;
    EXPECT_EQ(s.tabseries, 2);
    EXPECT_EQ(s.defgraph, 3);
    EXPECT_EQ(s.tminmode, (Settings::SeriesInts{2, 2, 2}));
    EXPECT_EQ(st->nwyj, 55);
    EXPECT_EQ(st->intmethod, (AnalysisState::SeriesInts{2, 2, 2}));
  }
}

TEST_F(Varnel1Params, HarmlessValuesAreTakenAsTheyAre) {
  // A graph outside 1..3 shows nothing, a grid flag other than 0 or 1 is
  // left by the grid switch, a plotseries other than 1 hides its series.
  write_par("800 7 5 2\n1 1 1 1\n1 1 1 1\n1 1 1 1\n1 1 2\n1 1 0\n1 1 -3\n2 2\n");
  const tsd::varnel1::ParamsResult r = tsd::varnel1::readparams(*all_);
  ASSERT_EQ(r.status, ParamsStatus::ok) << u8(r.problem);
  EXPECT_EQ(state_->nwyj, 800);
  EXPECT_EQ(settings_.defgraph, 7);
  EXPECT_EQ(settings_.gridflag, 5);
  EXPECT_EQ(settings_.plotseries, (Settings::SeriesInts{2, 0, -3}));
  EXPECT_EQ(settings_.jmask, (Settings::SeriesInts{0, 0, 0}));
}

TEST_F(Varnel1Params, FailedRewriteIsReportedAndReplacesNothing) {
  write_par(kDefault);
  ASSERT_TRUE(tsd::varnel1::readparams(*all_).ok());
  state_->nwyj = 300;
  // The start directory became unusable: a directory in place of the file's
  // directory entry cannot be replaced.
  fs::rename(dir_ / "VARNEL1.PAR", dir_ / "saved.par");
  fs::create_directory(dir_ / "VARNEL1.PAR");
  tsd::varnel1::ParamsResult w = tsd::varnel1::writeparams(*all_);
  EXPECT_EQ(w.status, ParamsStatus::write_failed) << name_of(w.status);
  EXPECT_TRUE(fs::is_directory(dir_ / "VARNEL1.PAR"));
  EXPECT_EQ(u8(tsd::varnel1::paramswritefailedtext()), "Błąd zapisu parametrów w pliku Varnel1.par");

  settings_.startdir = text::cp1250_from_utf8((dir_ / "no such dir").string());
  w = tsd::varnel1::writeparams(*all_);
  EXPECT_EQ(w.status, ParamsStatus::write_failed) << name_of(w.status);
  EXPECT_FALSE(fs::exists(dir_ / "no such dir"));
  EXPECT_EQ(u8(tsd::varnel1::paramssavedtext()), "Parametry zapisane w pliku Varnel1.par");
}

TEST(Varnel1Jmask, MeasuredCurveThroughTheHighestShownSeries) {
  struct Case {
    Settings::SeriesInts plotseries, jmask;
  };
  const Case cases[] = {
      {{1, 1, 1}, {0, 0, 1}}, {{1, 1, 0}, {0, 1, 0}}, {{1, 0, 0}, {1, 0, 0}},
      {{0, 0, 0}, {0, 0, 0}}, {{0, 1, 2}, {0, 1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.plotseries));
    Settings s;
    s.plotseries = c.plotseries;
    tsd::varnel1::computejmask(s);
    EXPECT_EQ(s.jmask, c.jmask);
  }
}

// Whatever start-up takes, the program's own save writes back so that the
// next start takes the same values, and a second save writes the same file.
// The graph number is written from the graph shown: here the one the first
// data load shows, the graph of the file.
TEST_F(Varnel1Params, WhatStartUpTakesTheSaveWritesBack) {
  constexpr int kFiles = 600;
  int taken = 0;
  for (int seed = 0; seed < kFiles; ++seed) {
    tsd::testkit::ParamGen g(static_cast<std::uint32_t>(seed));
    std::string file =
        g.record({g.integer({201, 121, 2, 800}), g.integer({1, 2, 3, 0}), g.integer({0, 1}),
                  g.integer({1, 2, 3})});
    for (int s = 0; s < 3; ++s) {
      file += g.record({g.integer({1, 2}), g.integer({1, 2}), g.integer({1, 2}), g.integer({1, 2})});
    }
    for (int s = 0; s < 3; ++s) {
      file += g.record({g.integer({1, 2, 3}), g.integer({1, 2, 3}), g.integer({0, 1})});
    }
    file += g.record({g.integer({1, 2}), g.integer({1, 2})});
    SCOPED_TRACE("seed " + std::to_string(seed) + ", file:\n" + file);
    write_par(file);
    auto firststate_all = std::make_unique<tsd::varnel1::State>();
    Settings& first = firststate_all->settings;
    AnalysisState* firststate = &firststate_all->analysis;
    if (!tsd::varnel1::readparams(*firststate_all).ok()) continue;
    ++taken;
    first.curgraph = first.defgraph;
    ASSERT_TRUE(tsd::varnel1::writeparams(*firststate_all).ok());
    const std::string saved = tsd::testkit::readfile(dir_ / "VARNEL1.PAR");
    auto nextstate_all = std::make_unique<tsd::varnel1::State>();
    Settings& next = nextstate_all->settings;
    AnalysisState* nextstate = &nextstate_all->analysis;
    const tsd::varnel1::ParamsResult r = tsd::varnel1::readparams(*nextstate_all);
    ASSERT_TRUE(r.ok()) << "saved:\n" << saved << u8(r.problem);
    EXPECT_EQ(nextstate->nwyj, firststate->nwyj);
    EXPECT_EQ(next.defgraph, first.defgraph);
    expect_same_settings(next, *nextstate, first, *firststate);
    next.curgraph = next.defgraph;
    ASSERT_TRUE(tsd::varnel1::writeparams(*nextstate_all).ok());
    EXPECT_EQ(tsd::testkit::readfile(dir_ / "VARNEL1.PAR"), saved);
    if (::testing::Test::HasFailure()) break;
  }
  // The files taken are numerous enough for the property to say something.
  EXPECT_GT(taken, kFiles / 20) << taken << " of " << kFiles;
}

}  // namespace
