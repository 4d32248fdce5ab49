// varnel2 never saves a VARNEL2.PAR that it refuses at its next start: one
// run brings the settings about and saves them, the next starts from the
// saved file. Start values the model cannot use are refused where they are
// used, by the fit request, with a box that names the peak and the value.
#include <gtest/gtest.h>

#include "multipeak/varnel2/tests/varnel2_run.h"
#include "tools/testkit/textlines.h"
#include "resources/varnel2/varnel2_ids.h"

namespace tsd::varnel2 {
namespace {

using namespace test;

// The example VARNEL2.PAR with line `line` (1-based) replaced; line 0
// changes nothing.
std::string exampleparams(int line, const std::string& text) {
  return testkit::withline(testkit::readfile(examplefile("VARNEL2.PAR")), line, text);
}

constexpr char kSaveParams[] = "menu V2_CM_SAVE_PARAMFILE\nmsgbox OK\n";
constexpr char kFit[] = "menu V2_CM_FIT\n";

TEST(Varnel2ParamReadback, ASavedParameterFileStartsTheNextRun) {
  struct Case {
    const char* name;
    int line;              // line of the example file replaced before the first run
    const char* text;
    const char* settings;  // what the user does after loading sample.dat and a fit
  };
  const Case cases[] = {
      // Peak 3 took part in no fit: "Przepisanie parametrów" gives it 0, 0, 0.
      {"peak 3 switched on, then the fitted values copied", 0, "",
       "menu V2_CM_PEAKS\nbutton 1019\nbutton 1\nmenu V2_CM_COPY_FITTED\n"},
      {"Ea 0 typed for peak 1", 0, "", "menu V2_CM_PEAKS\nfield 1073 \"0\"\nbutton 1\n"},
      // Written as 1.000000E+00 by the rewrite.
      {"QJm just above 1", 6, "  1.200000E+00  1.050000E+00  1.0000001", ""},
      {"Del just below 1", 7, "  0.99999999  3", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = workdir();
    testkit::writefile(dir + "/VARNEL2.PAR", exampleparams(c.line, c.text));
    // The save commands are reachable after a fit.
    const auto first = runin("varnel2", dir, std::string(kLoad) + kFit + c.settings + kSaveParams);
    ASSERT_EQ(first.exitcode, 0) << describe(first);
    ASSERT_EQ(boxtexts(first.log, "Informacja").size(), 1u) << describe(first);
    const std::string saved = testkit::readfile(dir + "/VARNEL2.PAR");

    const auto next = runin("varnel2", dir, "");
    EXPECT_EQ(next.exitcode, 0) << "saved:\n" << saved << describe(next);
    EXPECT_TRUE(boxtexts(next.log, "Błąd").empty()) << "saved:\n" << saved << describe(next);
  }
}

TEST(Varnel2ParamReadback, AFitFromStartValuesTheModelCannotUseIsRefused) {
  struct Case {
    const char* name;
    int line;
    const char* text;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      {"peak 3 on with 0, 0, 0", 4, "  0.000000E+00  0.000000E+00  0.000000E+00  1",
       {"Pik nr 3  Wartość Ea <= 0", "Pik nr 3  Wartość Tm <= 0", "Pik nr 3  Wartość Jm <= 0"}},
      {"peak 1 with Ea 0", 2, "  0.000000E+00  2.630000E+02  3.800000E-12  1",
       {"Pik nr 1  Wartość Ea <= 0"}},
      {"peak 2 with a negative Tm", 3, "  9.000000E-01 -2.900000E+02  2.300000E-12  1",
       {"Pik nr 2  Wartość Tm <= 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = workdir();
    testkit::writefile(dir + "/VARNEL2.PAR", exampleparams(c.line, c.text));
    // After the refused request the result menus are still greyed: the
    // result dialog cannot be chosen.
    std::string script = std::string(kLoad) + kFit;
    for (size_t i = 0; i < c.boxes.size(); ++i) script += "msgbox OK\n";
    const auto r = runin("varnel2", dir, script + "menu V2_CM_RESULTS\nkey Escape\n");
    EXPECT_EQ(r.exitcode, 0) << describe(r);
    EXPECT_EQ(boxtexts(r.log, "Błąd"), c.boxes) << describe(r);
    EXPECT_EQ(r.log.find("\"Obliczenia\""), std::string::npos) << "no fit ran\n" << describe(r);
    EXPECT_EQ(r.log.find("menu command: " + std::to_string(V2_CM_RESULTS)), std::string::npos) << describe(r);
  }
}

}  // namespace
}  // namespace tsd::varnel2
