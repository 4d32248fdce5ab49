// The parameter files MOKRIN1.PAR and MOKRIN2.PAR: read at start, refused
// when the program could not work with a value, rewritten and read back.
#include "peakcurve/mokrin/mokrin_params.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "analysis/var.h"
#include "shell/params.h"
#include "text/cp1250.h"
#include "tools/testkit/files.h"
#include "tools/testkit/paramgen.h"
#include "tools/testkit/temp_folder.h"

namespace tsd::mokrin {
namespace {

class MokrinParams : public ::testing::Test {
 protected:
  void SetUp() override { var = VarRecord{}; }

  State state(Variant v) {
    State s;
    s.variant = v;
    s.startdir = dir_.string();
    return s;
  }
  void write(const std::string& name, const std::string& content) {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  std::string read(const std::string& name) { return testkit::readfile(dir_ / name); }
  testkit::TempFolder folder_;
  const std::filesystem::path& dir_ = folder_.path();
};

TEST_F(MokrinParams, ReadsBothVariants) {
  write("MOKRIN1.PAR", "0.05 200 0.7 8.4e-12 1.77e-9\n215 310 191\n");
  State s1 = state(Variant::mokrin1);
  ParamsResult r = readparams(s1);
  ASSERT_TRUE(r.ok()) << r.problem;
  EXPECT_EQ(var.b, 0.05);
  EXPECT_EQ(var.T0, 200.0);
  EXPECT_EQ(s1.peak.Ea, 0.7);
  EXPECT_EQ(s1.peak.tau0, 8.4e-12);
  EXPECT_EQ(s1.peak.P0, 1.77e-9);
  EXPECT_EQ(s1.peak.Tmin, 215.0);
  EXPECT_EQ(s1.peak.Tmax, 310.0);
  EXPECT_EQ(s1.peak.Nout, 191);

  write("MOKRIN2.PAR", "0.1, 250, 0.9, 300, 2e-12\n260, 340, 2\n");
  State s2 = state(Variant::mokrin2);
  r = readparams(s2);
  ASSERT_TRUE(r.ok()) << r.problem;
  EXPECT_EQ(s2.peak.Tm, 300.0);
  EXPECT_EQ(s2.peak.Jm, 2e-12);
  EXPECT_EQ(s2.peak.tau0, 0.0) << "tau0 is derived by the frame, not read";
  EXPECT_EQ(s2.peak.Nout, 2);
}

// A first line with fewer than five numbers: the read goes on on the next
// line, and record 2 comes from the line after it.
TEST_F(MokrinParams, RecordOneRunsOverTwoLines) {
  write("MOKRIN1.PAR", "0.05 200 0.7\n8.4e-12 1.77e-9 999\n215 310 191\n");
  State s = state(Variant::mokrin1);
  ASSERT_TRUE(readparams(s).ok());
  EXPECT_EQ(s.peak.P0, 1.77e-9);
  EXPECT_EQ(s.peak.Tmin, 215.0);
  EXPECT_EQ(s.peak.Nout, 191);
}

TEST_F(MokrinParams, MissingFile) {
  State s = state(Variant::mokrin2);
  const ParamsResult r = readparams(s);
  EXPECT_EQ(r.status, ParamsStatus::missing);
  EXPECT_EQ(r.file, dir_.string() + "/MOKRIN2.PAR");
  EXPECT_EQ(paramsmissingtext(), text::cp1250_from_utf8("Błąd odczytu parametrów"));
}

// Files that cannot be read as numbers, and values the program cannot
// work with: refused with the record and the value named, the record in the
// result the one the start-up box names; nothing changes.
TEST_F(MokrinParams, RefusedFiles) {
  struct Case {
    Variant v;
    const char* content;
    ParamsStatus status;
    int record;
    const char* problem;  // UTF-8
  };
  const Case cases[] = {
      {Variant::mokrin1, "0.05 200 x 1e-12 1e-9\n215 310 191\n", ParamsStatus::unreadable, 1,
       "rekord 1: wartość, która nie jest liczbą"},
      {Variant::mokrin1, "0.05 200 0.7 1e-12 1e-9\n215 310\n", ParamsStatus::unreadable, 2,
       "rekord 2: za mało wartości (koniec pliku)"},
      {Variant::mokrin1, "0.05 200 0.7 1e-12 1e-9\n215 310 19.5\n", ParamsStatus::unreadable, 2,
       "rekord 2: wartość, która nie jest liczbą"},
      {Variant::mokrin1, "0.05 200 0.7 1e-12 1e-9\n215 310 1\n", ParamsStatus::out_of_range, 2,
       "rekord 2: Nout = 1 poza zakresem 2..800"},
      {Variant::mokrin2, "0.05 200 0.7 265 1e-12\n215 310 801\n", ParamsStatus::out_of_range, 2,
       "rekord 2: Nout = 801 poza zakresem 2..800"},
      {Variant::mokrin2, "0 200 0.7 265 1e-12\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: b <= 0"},
      {Variant::mokrin2, "0.05 200 0 265 1e-12\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: Ea <= 0"},
      {Variant::mokrin2, "0.05 200 0.7 0 1e-12\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: Tm <= 0"},
      {Variant::mokrin1, "0.05 200 0.7 0 1e-9\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: tau0 <= 0"},
      {Variant::mokrin1, "-0.05 200 0.7 1e-12 1e-9\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: b <= 0"},
      {Variant::mokrin1, "0.05 200 0 1e-12 1e-9\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: Ea <= 0"},
      {Variant::mokrin1, "0.05 200 -0.7 1e-12 1e-9\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: Ea <= 0"},
      {Variant::mokrin1, "0.05 200 0.7 -1e-12 1e-9\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: tau0 <= 0"},
      {Variant::mokrin2, "0.05 200 -0.7 265 1e-12\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: Ea <= 0"},
      {Variant::mokrin2, "0.05 200 0.7 -265 1e-12\n215 310 100\n", ParamsStatus::out_of_range, 1,
       "rekord 1: Tm <= 0"},
      {Variant::mokrin1, "0.05 200 0.7 1e-12 1e999\n215 310 100\n", ParamsStatus::unreadable, 1,
       "rekord 1: wartość, która nie jest liczbą"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.content);
    State s = state(c.v);
    write(std::string(variantinfo(c.v).paramfile), c.content);
    var = VarRecord{1.0, 2.0};
    const ParamsResult r = readparams(s);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(text::utf8_from_cp1250(r.problem), c.problem);
    EXPECT_EQ(r.record, c.record);
    EXPECT_EQ(paramsproblemtext(r), r.file + ": " + r.problem);
    EXPECT_EQ(text::utf8_from_cp1250(startupfailedtext(r)),
              "Błąd odczytu parametrów\r" + r.file + ": " + c.problem);
    EXPECT_EQ(var.T0, 1.0) << "var unchanged";
    EXPECT_EQ(s.peak.Nout, 0) << "peak unchanged";
  }
}

// mokrin2 writes Tm and Jm, never tau0 and P0; every record through its
// format text; a second read gives the written values back.
TEST_F(MokrinParams, RewrittenAndReadBack) {
  State s = state(Variant::mokrin2);
  var.b = 0.05;
  var.T0 = 200.0;
  s.peak.Ea = 0.7;
  s.peak.Tm = 265.0;
  s.peak.Jm = 4.0e-12;
  s.peak.tau0 = 123.0;
  s.peak.P0 = 456.0;
  s.peak.Tmin = 215.0;
  s.peak.Tmax = 310.0;
  s.peak.Nout = 191;
  ASSERT_TRUE(writeparams(s).ok());
  EXPECT_EQ(read("MOKRIN2.PAR"),
            "  5.000000E-02  2.000000E+02  7.000000E-01  2.650000E+02  4.000000E-12\n"
            "  2.150000E+02  3.100000E+02 191\n");
  EXPECT_EQ(text::utf8_from_cp1250(paramssavedtext(s)), "Parametry zapisane w pliku MOKRIN2.PAR");

  State back = state(Variant::mokrin2);
  var = VarRecord{};
  ASSERT_TRUE(readparams(back).ok());
  EXPECT_EQ(var.b, 0.05);
  EXPECT_EQ(back.peak.Tm, 265.0);
  EXPECT_EQ(back.peak.Jm, 4.0e-12);
  EXPECT_EQ(back.peak.Nout, 191);

  State s1 = state(Variant::mokrin1);
  s1.peak = s.peak;
  ASSERT_TRUE(writeparams(s1).ok());
  EXPECT_EQ(read("MOKRIN1.PAR").substr(42, 28), "  1.230000E+02  4.560000E+02")
      << "mokrin1 writes tau0 and P0";
}

// The file goes to the start directory even when the current directory
// has moved (a file dialog may move it).
TEST_F(MokrinParams, WrittenInTheStartDirectory) {
  State s = state(Variant::mokrin1);
  s.peak.Nout = 2;
  const std::filesystem::path elsewhere = dir_ / "inna";
  std::filesystem::create_directories(elsewhere);
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere);
  const ParamsResult r = writeparams(s);
  std::filesystem::current_path(here);
  ASSERT_TRUE(r.ok());
  EXPECT_TRUE(std::filesystem::exists(dir_ / "MOKRIN1.PAR"));
  EXPECT_FALSE(std::filesystem::exists(elsewhere / "MOKRIN1.PAR"));
}

TEST_F(MokrinParams, UnwritableDirectoryReported) {
  State s = state(Variant::mokrin1);
  s.startdir = (dir_ / "brak").string();
  const ParamsResult r = writeparams(s);
  EXPECT_EQ(r.status, ParamsStatus::write_failed);
  EXPECT_EQ(text::utf8_from_cp1250(paramswritefailedtext(s)),
            "Błąd zapisu parametrów w pliku MOKRIN1.PAR");
}

// Whatever start-up takes, the program's own save writes back so that the
// next start takes the same values (to the digits the file keeps), and a
// second save writes the same file; for both programs.
TEST_F(MokrinParams, WhatStartUpTakesTheSaveWritesBack) {
  constexpr int kFiles = 300;
  for (const Variant v : {Variant::mokrin1, Variant::mokrin2}) {
    const std::string name(variantinfo(v).paramfile);
    SCOPED_TRACE(name);
    int taken = 0;
    for (int seed = 0; seed < kFiles; ++seed) {
      testkit::ParamGen g(static_cast<std::uint32_t>(seed));
      const std::string file =
          g.record({g.real({0.05, 0.1}), g.real({200.0, 210.0}), g.real({0.7, 0.0, 1.2}),
                    g.real({265.0, 8.409011e-12, 0.0}), g.real({4e-12, 1.771137e-09})}) +
          g.record({g.real({215.0, 220.0}), g.real({310.0, 300.0}), g.integer({191, 2, 800})});
      SCOPED_TRACE("seed " + std::to_string(seed) + ", file:\n" + file);
      write(name, file);
      var = VarRecord{};
      State first = state(v);
      if (!readparams(first).ok()) continue;
      ++taken;
      const VarRecord firstvar = var;
      ASSERT_TRUE(writeparams(first).ok());
      const std::string saved = read(name);
      var = VarRecord{};
      State next = state(v);
      const ParamsResult r = readparams(next);
      ASSERT_TRUE(r.ok()) << "saved:\n" << saved << text::utf8_from_cp1250(r.problem);
      const peakcurve::PeakState& a = next.peak;
      const peakcurve::PeakState& b = first.peak;
      EXPECT_EQ(a.Nout, b.Nout);
      const std::pair<double, double> reals[] = {{var.b, firstvar.b},   {var.T0, firstvar.T0},
                                                 {a.Ea, b.Ea},         {a.Tm, b.Tm},
                                                 {a.Jm, b.Jm},         {a.tau0, b.tau0},
                                                 {a.P0, b.P0},         {a.Tmin, b.Tmin},
                                                 {a.Tmax, b.Tmax}};
      for (const auto& [x, y] : reals) EXPECT_TRUE(testkit::sameaswritten(x, y)) << x << " " << y;
      ASSERT_TRUE(writeparams(next).ok());
      EXPECT_EQ(read(name), saved);
      if (::testing::Test::HasFailure()) return;
    }
    // The files taken are numerous enough for the property to say something.
    EXPECT_GT(taken, kFiles / 20) << taken << " of " << kFiles;
  }
}

}  // namespace
}  // namespace tsd::mokrin
