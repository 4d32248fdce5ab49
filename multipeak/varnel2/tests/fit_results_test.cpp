// The fit request end to end: the result dialog of the program shows what
// the fit core computes for the same files, blanks for the peaks that took
// no part, and the "Tabela 2" items follow the number of peaks.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "analysis/conversions.h"
#include "multipeak/fitcompute.h"
#include "multipeak/varnel2/tests/varnel2_run.h"
#include "multipeak/varnel2/varnel2_output.h"
#include "multipeak/varnel2/varnel2_params.h"
#include "resources/varnel2/varnel2_ids.h"
#include "tools/testkit/textlines.h"

namespace tsd::varnel2 {
namespace {

using namespace test;

struct ResultIds {
  const char* format;
  int length;
  int ids[4];
};
constexpr ResultIds kResultIds[10] = {
    {"(F8.6)", 8, {1038, 1041, 1045, 1048}},     {"(F8.4)", 8, {1039, 1042, 1046, 1049}},
    {"(1P,E12.6)", 12, {1040, 1044, 1047, 1050}}, {"(1P,E12.6)", 12, {1051, 1052, 1053, 1054}},
    {"(1P,E12.6)", 12, {1062, 1063, 1064, 1065}}, {"(F8.6)", 8, {1083, 1107, 1108, 1109}},
    {"(F8.4)", 8, {1070, 1071, 1072, 1073}},     {"(1P,E8.2)", 8, {1087, 1110, 1111, 1112}},
    {"(1P,E8.2)", 8, {1090, 1113, 1114, 1115}},  {"(1P,E8.2)", 8, {1091, 1116, 1117, 1118}},
};

double quantity(const FitResults& r, int q, int e) {
  const double* rows[10] = {r.Eafit, r.Tmfit, r.Jmfit, r.tau0, r.P0,
                            r.sEa,   r.sTm,   r.sJm,   r.stau0, r.sP0};
  return rows[q][e];
}

// The example parameter file with other peaks enabled.
std::string withpeaks(const std::string& on) {
  std::string par = testkit::readfile(examplefile("VARNEL2.PAR"));
  size_t p = 0;
  for (int k = 0; k < 4; ++k) {
    p = par.find('\n', p) + 1;
    const size_t end = par.find('\n', p);
    par[end - 1] = on[size_t(k)];
  }
  return par;
}

TEST(Varnel2Fit, ResultDialogShowsWhatTheCoreComputes) {
  struct Case {
    const char* name;
    const char* peakon;  // peakon of peaks 1..4
    bool table2;         // "Tabela 2" enabled after the fit
  };
  const Case cases[] = {
      {"peaks 1 and 2", "1100", true},
      {"peaks 2 and 4", "0101", true},
      {"peak 1 alone", "1000", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = workdir();
    // Peaks 2 and 4 start from the values of peaks 1 and 2 of the example.
    std::string par = withpeaks(c.peakon);
    if (std::string(c.peakon) == "0101") {
      const std::string p1 = "  6.600000E-01  2.630000E+02  3.800000E-12";
      const std::string p2 = "  9.000000E-01  2.900000E+02  2.300000E-12";
      const std::string p4 = "  1.000000E+00  3.000000E+02  1.000000E-12";
      par.replace(par.find(p2), p2.size(), p1);
      par.replace(par.find(p4), p4.size(), p2);
    }
    testkit::writefile(dir + "/VARNEL2.PAR", par);

    // The core on the same files.
    auto s = std::make_unique<State>();
    ASSERT_TRUE(readparamsfrom(dir + "/VARNEL2.PAR", *s).ok());
    buildvector(*s);
    ASSERT_EQ(loaddata(*s, dir + "/sample.dat"), DataFileStatus::ok);
    ASSERT_EQ(fitcompute(s->peakon, s->Ldiv, s->Del, s->Nout, s->curves, s->fit), kFitDone);

    const auto r = runin("varnel2", dir, std::string(kLoad) +
                                "menu V2_CM_FIT\nmenu V2_CM_RESULTS\nbutton 1\nmenu V2_CM_TABLE2\nkey Escape Escape\n");
    ASSERT_EQ(r.exitcode, 0) << describe(r);
    const std::string line = dialogline(r.log, "Wyniki obliczeń", 0);
    ASSERT_FALSE(line.empty()) << describe(r);
    for (int k = 1; k <= 4; ++k) {
      for (int q = 0; q < 10; ++q) {
        const ResultIds& f = kResultIds[q];
        SCOPED_TRACE("peak " + std::to_string(k) + " field " + std::to_string(f.ids[k - 1]));
        const std::string want =
            s->peakon[k - 1] == 1 ? realfield(quantity(s->fit, q, k - 1), f.format, f.length) : "";
        EXPECT_EQ(fieldof(line, f.ids[k - 1]), want);
      }
    }
    EXPECT_EQ(fieldof(line, 1069), realfield(s->fit.Chi, "(1P,E12.6)", 12));
    EXPECT_EQ(r.log.find("menu command: " + std::to_string(V2_CM_TABLE2)) != std::string::npos, c.table2) << describe(r);
  }
}

TEST(Varnel2Fit, FitsTheTwoPeaksOfTheSample) {
  auto s = std::make_unique<State>();
  ASSERT_TRUE(readparamsfrom(examplefile("VARNEL2.PAR"), *s).ok());
  buildvector(*s);
  ASSERT_EQ(loaddata(*s, examplefile("sample.dat")), DataFileStatus::ok);
  ASSERT_EQ(fitcompute(s->peakon, s->Ldiv, s->Del, s->Nout, s->curves, s->fit), kFitDone);
  // The sample was made with 0.70 eV / 265 K / 4.0e-12 and 0.95 eV / 292 K
  // / 2.5e-12, with 1 % noise.
  EXPECT_NEAR(s->fit.Eafit[0], 0.70, 0.01);
  EXPECT_NEAR(s->fit.Tmfit[0], 265.0, 0.2);
  EXPECT_NEAR(s->fit.Jmfit[0], 4.0e-12, 0.05e-12);
  EXPECT_NEAR(s->fit.Eafit[1], 0.95, 0.01);
  EXPECT_NEAR(s->fit.Tmfit[1], 292.0, 0.2);
  EXPECT_NEAR(s->fit.Jmfit[1], 2.5e-12, 0.05e-12);
}

TEST(Varnel2Fit, CopyOfFittedValuesBecomesTheStartValues) {
  const std::string dir = workdir();
  auto s = std::make_unique<State>();
  ASSERT_TRUE(readparamsfrom(dir + "/VARNEL2.PAR", *s).ok());
  buildvector(*s);
  ASSERT_EQ(loaddata(*s, dir + "/sample.dat"), DataFileStatus::ok);
  fitcompute(s->peakon, s->Ldiv, s->Del, s->Nout, s->curves, s->fit);
  const auto r = runin("varnel2", dir, std::string(kLoad) + "menu V2_CM_FIT\nmenu V2_CM_COPY_FITTED\nmenu V2_CM_PEAKS\nbutton 1\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  const std::string line = dialogline(r.log, "Parametry pików TSD", 0);
  EXPECT_EQ(fieldof(line, 1073), realfield(s->fit.Eafit[0], "(F8.6)", 8));
  EXPECT_EQ(fieldof(line, 1027), realfield(s->fit.Tmfit[1], "(F8.4)", 8));
  EXPECT_EQ(fieldof(line, 1035), realfield(s->fit.Jmfit[1], "(1P,E12.6)", 12));
  EXPECT_EQ(fieldof(line, 1075), "0.800000");  // a disabled peak keeps its start value
}

TEST(Varnel2Fit, WithNoEnabledPeakTheRequestStillRuns) {
  const std::string dir = workdir();
  testkit::writefile(dir + "/VARNEL2.PAR", withpeaks("0000"));
  const auto r = runin("varnel2", dir, std::string(kLoad) +
                              "menu V2_CM_FIT\nmenu V2_CM_RESULTS\nbutton 1\nmenu V2_CM_TABLE3\n"
                              "menu V2_CM_SAVE_TABLE3\nfile \"t3.dat\"\nmsgbox OK\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  const std::string line = dialogline(r.log, "Wyniki obliczeń", 0);
  ASSERT_FALSE(line.empty()) << describe(r);
  EXPECT_EQ(fieldof(line, 1069), "");  // Chi left blank
  EXPECT_EQ(fieldof(line, 1038), "");
  EXPECT_EQ(dialogline(r.log, "Tabela 3", 0), "") << "a table-3 dialog with no peak";
  EXPECT_EQ(testkit::readfile(dir + "/t3.dat"), "");
  EXPECT_EQ(boxtexts(r.log, "Informacja"),
            std::vector<std::string>{"Tabela 3 zapisana w pliku " + dir + "/t3.dat"});
  EXPECT_TRUE(boxtexts(r.log, "Błąd").empty()) << describe(r);
}

// What the fit cannot use is refused before it runs, one box each: a peak
// switched on with a height Jm not above 0 (the fit would hold it at 0 and
// every standard error would be undefined) and a fit range that holds no
// measured point (the start values would come back as fitted ones). The
// fit does not run and the results of the last one stay; a fit whose sum
// of squares is not a number stops with its box too.
TEST(Varnel2Fit, AFitThatCannotBeCompletedSaysSo) {
  const std::string dir = workdir();
  const std::string nopoints = "Brak punktów pomiarowych w zakresie aproksymacji";
  const struct {
    const char* name;
    std::string change;  // script lines after the first fit
    std::vector<std::string> boxes;
  } cases[] = {
      {"Jm of 0", "menu V2_CM_PEAKS\nfield 1021 \"0\"\nbutton 1\n", {"Pik nr 1  Wartość Jm <= 0"}},
      {"negative Jm of peak 2", "menu V2_CM_PEAKS\nfield 1035 \"-2.3E-12\"\nbutton 1\n",
       {"Pik nr 2  Wartość Jm <= 0"}},
      {"fit range above the data", "menu V2_CM_FIT_RANGE\nfield 1004 \"500\"\nfield 1008 \"600\"\nbutton 1\n",
       {nopoints}},
      {"fit range below the data", "menu V2_CM_FIT_RANGE\nfield 1004 \"201\"\nfield 1008 \"210\"\nbutton 1\n",
       {nopoints}},
      {"both", "menu V2_CM_PEAKS\nfield 1021 \"0\"\nfield 1035 \"0\"\nbutton 1\n"
               "menu V2_CM_FIT_RANGE\nfield 1004 \"500\"\nfield 1008 \"600\"\nbutton 1\n",
       {"Pik nr 1  Wartość Jm <= 0", "Pik nr 2  Wartość Jm <= 0", nopoints}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string answers;
    for (std::size_t i = 0; i < c.boxes.size(); ++i) answers += "msgbox OK\n";
    const auto r = runin("varnel2", dir, std::string(kLoad) + "menu V2_CM_FIT\nmenu V2_CM_RESULTS\nbutton 1\n" +
                                c.change + "menu V2_CM_FIT\n" + answers +
                                "menu V2_CM_RESULTS\nbutton 1\n");
    ASSERT_EQ(r.exitcode, 0) << describe(r);
    EXPECT_EQ(boxtexts(r.log, "Błąd"), c.boxes) << describe(r);
    EXPECT_EQ(testkit::count(r.log, "dialog shown: \"Obliczenia\""), 1) << "the second fit does not run";
    const size_t first = r.log.find("dialog shown: \"Wyniki obliczeń\"");
    ASSERT_NE(first, std::string::npos) << describe(r);
    EXPECT_EQ(r.log.substr(first, r.log.find('\n', first) - first), dialogline(r.log, "Wyniki obliczeń", 0))
        << "the last results stay";
  }

  // A current so large that the sum of squares overflows fits nothing.
  const std::string good = workdir();
  testkit::writefile(good + "/big.dat", testkit::withline(testkit::readfile(good + "/sample.dat"),
                                                         201, " 264.750   1.0E+308"));
  const auto r = runin("varnel2", good, std::string(kLoad) + "menu V2_CM_FIT\nmenu V2_CM_RESULTS\nbutton 1\n" +
                    "menu V2_CM_DATA\nfile \"big.dat\"\nmenu V2_CM_FIT\nmsgbox OK\nmenu V2_CM_RESULTS\nbutton 1\n");
  ASSERT_EQ(r.exitcode, 0) << describe(r);
  EXPECT_EQ(boxtexts(r.log, "Błąd"),
            std::vector<std::string>{"Wyniki obliczeń nie są liczbami skończonymi"});
  const size_t before = r.log.find("dialog shown: \"Wyniki obliczeń\"");
  ASSERT_NE(before, std::string::npos) << describe(r);
  EXPECT_EQ(r.log.substr(before, r.log.find('\n', before) - before),
            dialogline(r.log, "Wyniki obliczeń", 0))
      << "the last results stay";
}

}  // namespace
}  // namespace tsd::varnel2
