// varnel2's parameter file: read at start-up, refused with the record at
// fault, rewritten atomically in the start directory and read back.
#include "multipeak/varnel2/varnel2_params.h"

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
#include "tools/testkit/textlines.h"
#include "tools/testkit/temp_folder.h"

namespace tsd::varnel2 {
namespace {

namespace fs = std::filesystem;

const char kGood[] =
    "  201  0\n"
    "  6.600000E-01  2.630000E+02  3.800000E-12  1\n"
    "  9.000000E-01  2.900000E+02  2.300000E-12  1\n"
    "  8.000000E-01  2.800000E+02  1.000000E-12  0\n"
    "  1.000000E+00  3.000000E+02  1.000000E-12  2\n"
    "  1.200000E+00  1.050000E+00  1.500000E+00\n"
    "  1.000000E-01  3\n";

class Varnel2Params : public testkit::InTempFolder {
 protected:
  void SetUp() override {
    InTempFolder::SetUp();
    dir_ = dir();
    fs::create_directories(dir_ / "other");
    s_ = std::make_unique<State>();
  }
  void write_par(const std::string& contents) {
    std::ofstream(dir_ / "VARNEL2.PAR", std::ios::binary) << contents;
  }
  fs::path dir_;
  std::unique_ptr<State> s_;
};

TEST_F(Varnel2Params, ReadsEveryRecordAndKeepsTheStartDirectory) {
  write_par(kGood);
  const ParamsResult r = readparams(*s_);
  ASSERT_TRUE(r.ok()) << r.problem;
  EXPECT_EQ(s_->startdir, text::cp1250_from_utf8(dir_.string()));
  EXPECT_EQ(s_->Nout, 201);
  EXPECT_EQ(s_->gridflag, 0);
  EXPECT_DOUBLE_EQ(s_->Ea[0], 0.66);
  EXPECT_DOUBLE_EQ(s_->Tm[1], 290.0);
  EXPECT_DOUBLE_EQ(s_->Jm[1], 2.3e-12);
  EXPECT_EQ(s_->peakon[0], 1);
  EXPECT_EQ(s_->peakon[2], 0);
  EXPECT_EQ(s_->peakon[3], 2);  // taken as it is; only 1 enables
  EXPECT_DOUBLE_EQ(s_->QTm, 1.05);
  EXPECT_DOUBLE_EQ(s_->Del, 0.1);
  EXPECT_EQ(s_->Ldiv, 3);
}

TEST_F(Varnel2Params, MissingFileIsReportedAsMissing) {
  const ParamsResult r = readparams(*s_);
  EXPECT_EQ(r.status, ParamsStatus::missing);
  EXPECT_EQ(paramsmissingtext(), text::cp1250_from_utf8("Błąd odczytu parametrów"));
}

// Each case changes one line of the good file; the file is refused, the
// record named, and nothing of the state changes.
TEST_F(Varnel2Params, RefusesWhatTheProgramCannotWorkWith) {
  struct Case {
    int line;  // 1-based line replaced
    const char* text;
    ParamsStatus status;
    int record;
  };
  const Case cases[] = {
      {1, "    1  0", ParamsStatus::out_of_range, 1},
      {1, "  801  0", ParamsStatus::out_of_range, 1},
      {1, "  201 1000", ParamsStatus::out_of_range, 1},
      // Three characters hold -9..99 with a blank before them.
      {1, "  201 100", ParamsStatus::out_of_range, 1},
      {1, "  201 -10", ParamsStatus::out_of_range, 1},
      {3, "  0.9  290.0  2.3E-12 101", ParamsStatus::out_of_range, 3},
      {1, "  201", ParamsStatus::unreadable, 1},  // gridflag would be the next line's real
      {2, "  abc  263.0  3.8E-12  1", ParamsStatus::unreadable, 2},
      {2, "  0.66  263.0  3.8E-12  1.5", ParamsStatus::unreadable, 2},
      {6, "  0.99  1.05  1.5", ParamsStatus::out_of_range, 6},
      {6, "  1.2  1.05  0.5", ParamsStatus::out_of_range, 6},
      {7, "  1.01  3", ParamsStatus::out_of_range, 7},
      {7, "  0.1  0", ParamsStatus::out_of_range, 7},
      {7, "  0.1  10", ParamsStatus::out_of_range, 7},
      {7, "  0.1", ParamsStatus::unreadable, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("line ") + std::to_string(c.line) + ": \"" + c.text + "\"");
    write_par(testkit::withline(kGood, c.line, c.text));
    State s;
    s.Nout = 77;
    const ParamsResult r = readparams(s);
    EXPECT_EQ(r.status, c.status) << r.problem;
    EXPECT_EQ(r.record, c.record) << r.problem;
    EXPECT_FALSE(r.problem.empty());
    EXPECT_EQ(s.Nout, 77) << "a refused file changed the state";
    EXPECT_NE(paramsproblemtext(r).find("VARNEL2.PAR"), std::string::npos)
        << paramsproblemtext(r);
  }
}

// What the dialogs can leave and the rewrite can write is taken: start
// values of 0 or below for an enabled peak (the fit request refuses them),
// Q factors and Del that the rewrite rounded to 1.0, switches of -9..99.
TEST_F(Varnel2Params, TakesEveryValueTheProgramCanHaveSaved) {
  struct Case {
    int line;
    const char* text;
  };
  const Case cases[] = {
      {2, "  0.000000E+00  0.000000E+00  0.000000E+00  1"},
      {3, "  0.9  -290.0  2.3E-12  1"},
      {6, "  1.000000E+00  1.000000E+00  1.000000E+00"},
      {7, "  1.000000E+00  3"},
      {1, "  201 99"},
      {1, "  201 -9"},
      {5, "  1.0  300.0  1.0E-12 -9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("line ") + std::to_string(c.line) + ": \"" + c.text + "\"");
    write_par(testkit::withline(kGood, c.line, c.text));
    State s;
    const ParamsResult r = readparams(s);
    EXPECT_TRUE(r.ok()) << r.problem;
  }
}

TEST_F(Varnel2Params, DisabledPeakMayHoldZeroStartValues) {
  std::string par = kGood;
  par.replace(par.find("  8.000000E-01  2.800000E+02"), 28, "  0.000000E+00  0.000000E+00");
  write_par(par);
  EXPECT_TRUE(readparams(*s_).ok());
  EXPECT_EQ(s_->Ea[2], 0.0);
}

TEST_F(Varnel2Params, RewriteUsesTheFormatsAndReadsBackInTheStartDirectory) {
  write_par(kGood);
  ASSERT_TRUE(readparams(*s_).ok());
  s_->Nout = 800;
  s_->gridflag = 5;
  s_->Jm[3] = 1.234567e-13;
  s_->Del = -0.5;
  // A file dialog may have moved the current directory meanwhile.
  fs::current_path(dir_ / "other");
  const ParamsResult w = writeparams(*s_);
  ASSERT_TRUE(w.ok()) << w.problem;
  EXPECT_FALSE(fs::exists(dir_ / "other" / "VARNEL2.PAR"));
  EXPECT_EQ(tsd::testkit::readfile(dir_ / "VARNEL2.PAR"),
            "  800  5\n"
            "  6.600000E-01  2.630000E+02  3.800000E-12  1\n"
            "  9.000000E-01  2.900000E+02  2.300000E-12  1\n"
            "  8.000000E-01  2.800000E+02  1.000000E-12  0\n"
            "  1.000000E+00  3.000000E+02  1.234567E-13  2\n"
            "  1.200000E+00  1.050000E+00  1.500000E+00\n"
            " -5.000000E-01  3\n");
  State back;
  ASSERT_TRUE(readparamsfrom((dir_ / "VARNEL2.PAR").string(), back).ok());
  EXPECT_EQ(back.Nout, 800);
  EXPECT_EQ(back.gridflag, 5);
  EXPECT_DOUBLE_EQ(back.Jm[3], 1.234567e-13);
  EXPECT_DOUBLE_EQ(back.Del, -0.5);
}

TEST_F(Varnel2Params, FailedRewriteKeepsTheOldFile) {
  write_par(kGood);
  ASSERT_TRUE(readparams(*s_).ok());
  s_->startdir = (dir_ / "missing-folder").string();
  const ParamsResult w = writeparams(*s_);
  EXPECT_EQ(w.status, ParamsStatus::write_failed);
  EXPECT_EQ(tsd::testkit::readfile(dir_ / "VARNEL2.PAR"), kGood);
}

// Whatever start-up takes, the program's own save writes back so that the
// next start takes the same values (to the digits the file keeps), and a
// second save writes the same file.
TEST_F(Varnel2Params, WhatStartUpTakesTheSaveWritesBack) {
  int taken = 0;
  constexpr int kFiles = 600;
  for (int seed = 0; seed < kFiles; ++seed) {
    testkit::ParamGen g(static_cast<std::uint32_t>(seed));
    std::string file = g.record({g.integer({201, 121, 2, 800}), g.integer({0, 1})});
    for (int k = 0; k < kMaxPeaks; ++k) {
      file += g.record({g.real({0.66, 0.9, 0.0}), g.real({263.0, 290.0, 0.0}),
                        g.real({3.8e-12, 2.3e-12, 0.0}), g.integer({0, 1})});
    }
    file += g.record({g.real({1.2, 1.05, 1.5}), g.real({1.05, 1.2}), g.real({1.5, 2.0})});
    file += g.record({g.real({0.1, 0.5, -0.5}), g.integer({3, 1, 9})});
    SCOPED_TRACE("seed " + std::to_string(seed) + ", file:\n" + file);
    write_par(file);
    State first;
    if (!readparams(first).ok()) continue;
    ++taken;
    ASSERT_TRUE(writeparams(first).ok());
    const std::string saved = tsd::testkit::readfile(dir_ / "VARNEL2.PAR");
    State next;
    const ParamsResult r = readparams(next);
    ASSERT_TRUE(r.ok()) << "saved:\n" << saved << r.problem;
    EXPECT_EQ(next.Nout, first.Nout);
    EXPECT_EQ(next.gridflag, first.gridflag);
    EXPECT_EQ(next.Ldiv, first.Ldiv);
    for (int k = 0; k < kMaxPeaks; ++k) {
      EXPECT_EQ(next.peakon[k], first.peakon[k]);
      EXPECT_TRUE(testkit::sameaswritten(next.Ea[k], first.Ea[k])) << next.Ea[k] << " " << first.Ea[k];
      EXPECT_TRUE(testkit::sameaswritten(next.Tm[k], first.Tm[k])) << next.Tm[k] << " " << first.Tm[k];
      EXPECT_TRUE(testkit::sameaswritten(next.Jm[k], first.Jm[k])) << next.Jm[k] << " " << first.Jm[k];
    }
    for (const auto& [a, b] : {std::pair{next.QEa, first.QEa}, std::pair{next.QTm, first.QTm},
                               std::pair{next.QJm, first.QJm}, std::pair{next.Del, first.Del}}) {
      EXPECT_TRUE(testkit::sameaswritten(a, b)) << a << " " << b;
    }
    ASSERT_TRUE(writeparams(next).ok());
    EXPECT_EQ(tsd::testkit::readfile(dir_ / "VARNEL2.PAR"), saved);
    if (::testing::Test::HasFailure()) break;
  }
  // The files taken are numerous enough for the property to say something.
  EXPECT_GT(taken, kFiles / 20) << taken << " of " << kFiles;
}

}  // namespace
}  // namespace tsd::varnel2
