// varnel1's range dialog (104) and method dialog (107) run as a user runs
// them, on the sample data (215 K to 310 K in steps of 0.25 K): refused
// input with its boxes, the limits kept but the modes taken, input as
// 1000/T, Escape acting as OK, and the methods recomputing every series.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/varnel1/tests/varnel1_dialogs_run.h"
#include "analysis/varnel1/tests/varnel1_run.h"
#include "resources/varnel1/varnel1_ids.h"

namespace tsd::varnel1::testing {
namespace {

const char kRangeTitle[] = "Zakres aproksymacji";

// Fields of dialog 104 per series: Tmin, Tmax, Tini, Tlim in K, then the
// same as 1000/T.
constexpr int kKelvinFields[3][4] = {{1035, 1028, 1090, 1032}, {1043, 1045, 1091, 1047}, {1044, 1046, 1092, 1048}};
constexpr int kInverseFields[3][4] = {{1025, 1030, 1096, 1033}, {1049, 1051, 1097, 1053}, {1050, 1052, 1098, 1054}};

// The shown limits of the sample data in every series.
void expectsamplelimits(const std::string& line) {
  const char* kelvin[4] = {"215.000", "310.000", "215.000", "310.000"};
  const char* inverse[4] = {"4.65116", "3.22581", "4.65116", "3.22581"};
  std::vector<std::pair<int, std::string>> fields;
  for (int s = 0; s < 3; ++s) {
    for (int k = 0; k < 4; ++k) {
      fields.emplace_back(kKelvinFields[s][k], kelvin[k]);
      fields.emplace_back(kInverseFields[s][k], inverse[k]);
    }
  }
  expectfields(line, fields);
}

TEST(Varnel1RangeDialog, RefusedInputShowsItsBoxesAndKeepsTheLimitsButTheModes) {
  struct Case {
    const char* name;
    const char* actions;              // in the dialog, before OK
    std::vector<std::string> boxes;   // as logged
    int modesrecord;                  // VARNEL1.PAR record of the series' modes
    const char* modes;                // that record after the run
  };
  const Case cases[] = {
      {"Tmin equal to Tmax, series 2", "field 1045 \"300\"\nfield 1043 \"300\"\n",
       {"Seria nr 2  Wartość Tmin >= od wartości Tmax"}, 3, "  1  1  1  1"},
      {"blank Tmin, series 1", "field 1035 \"\"\n", {"Seria nr 1  Błąd odczytu wartości Tmin"}, 2,
       "  1  1  1  1"},
      {"letters as 1000/Tlim, series 3", "button 1042\nfield 1054 \"abc\"\n",
       {"Seria nr 3  Błąd odczytu wartości 1000/Tlim"}, 4, "  1  1  1  2"},
      {"1000/Tmax of zero, series 1", "button 1024\nfield 1030 \"0\"\n",
       {"Seria nr 1  Błąd odczytu wartości 1000/Tmax"}, 2, "  1  2  1  1"},
      {"a read box, then the checks of a later series",
       "field 1092 \"400\"\nbutton 1093\nfield 1096 \"x\"\n",
       {"Seria nr 1  Błąd odczytu wartości 1000/Tini", "Seria nr 3  Wartość Tini >= od wartości Tlim",
        "Seria nr 3  Wartość Tmax <= od wartości Tini"},
       2, "  1  1  2  1"},
      {"a valid series is refused with an invalid one",
       "field 1045 \"290\"\nfield 1032 \"200\"\n",
       {"Seria nr 1  Wartość Tmin >= od wartości Tlim", "Seria nr 1  Wartość Tini >= od wartości Tlim"}, 3,
       "  1  1  1  1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DialogRun r = rundialog(varnel1folder(), V1_CM_RANGES, kRangeTitle, std::string(c.actions) + "button 1\n",
                                  c.boxes.size());
    expectboxes(r, c.boxes);
    // Shown again: the old limits, whatever was typed.
    expectsamplelimits(r.again);
    EXPECT_EQ(record(r.params, c.modesrecord), c.modes) << r.params;
  }
}

TEST(Varnel1RangeDialog, InverseInputAndEscapeCommitLikeOk) {
  // Series 2 Tmin as 1000/Tmin = 4.0, series 1 Tmax 300 K, closed with
  // Escape.
  const DialogRun r = rundialog(varnel1folder(), V1_CM_RANGES, kRangeTitle,
                                "button 1037\nfield 1049 \"4.0\"\nfield 1028 \"300\"\nkey Escape\n", 0);
  expectboxes(r, {});
  // The limits typed, and the untouched ones as they were.
  expectfields(r.again, {{1043, "250.000"}, {1049, "4.00000"}, {1028, "300.000"}, {1030, "3.33333"},
                         {1045, "310.000"}, {1035, "215.000"}});
  EXPECT_EQ(record(r.params, 3), "  2  1  1  1") << r.params;
}

// A run from liquid nitrogen: the sample's points 138 K lower, from 77 K
// to 172 K, heated from 62 K.
std::string colddata(const std::string& sample) {
  std::istringstream in(sample);
  std::string out, line;
  std::getline(in, line);
  out = "381 0.0500 62.00 0.7850\n";
  while (std::getline(in, line)) {
    std::istringstream values(line);
    double t = 0.0;
    std::string current;
    values >> t >> current;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%8.3f", t - 138.0);
    out += std::string(buf) + "   " + current + "\n";
  }
  return out;
}

// Below 100 K 1000/T does not fit its "(F7.5)" field, which shows
// asterisks. Left as they are, such fields keep the limits they stand for
// in dialogs 104 and 105; a value typed into them is read as before.
TEST(Varnel1RangeDialog, FieldsFilledWithAsterisksKeepTheirValuesWhenLeftAsTheyAre) {
  const std::string dir = varnel1folder();
  testkit::writefile(dir + "/cold.dat", colddata(testkit::readfile(dir + "/sample.dat")));
  // Tmin and Tini of every series, and Tmin of the output range, as 1000/T.
  std::string params = testkit::readfile(dir + "/VARNEL1.PAR");
  testkit::writefile(dir + "/VARNEL1.PAR",
                     record(params, 1) + "\n  2  1  2  1\n  2  1  2  1\n  2  1  2  1\n" + record(params, 5) +
                         "\n" + record(params, 6) + "\n" + record(params, 7) + "\n  2  1\n");
  const std::string report = "menu V1_CM_SAVE_PARAMETERS\nfile \"" + dir + "/r.txt\"\nmsgbox OK\n";
  const std::string script = "menu V1_CM_DATA\nfile \"" + dir + "/cold.dat\"\n" + report +
                             "menu V1_CM_RANGES\nbutton 1\nmenu V1_CM_OUTPUT_RANGE\nbutton 1\n" + report +
                             "menu V1_CM_RANGES\nfield 1025 \"12.5\"\nbutton 1\n"
                             "menu V1_CM_RANGES\nkey Escape\nmenu V1_CM_END\n";
  testkit::ProgramRun run = runin("varnel1", dir, script);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(errorboxes(run.log), std::vector<std::string>{}) << run.log;
  const std::string first = dialogline(run.log, kRangeTitle, 1);
  expectfields(first, {{1035, " 77.000"}, {1025, "*******"}, {1096, "*******"}, {1049, "*******"}});
  EXPECT_EQ(controltext(dialogline(run.log, "Zakres obliczeń", 1), "EDIT", 1006), "*******");
  // Both reports alike: no limit changed.
  const std::string reports = testkit::readfile(dir + "/r.txt");
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.substr(0, reports.size() / 2), reports.substr(reports.size() / 2)) << reports;
  EXPECT_NE(reports.find(" Wartość Tmin             =  77.000 K"), std::string::npos) << reports;
  // Typed: series 1 Tmin is 1000/12.5 = 80 K, shown again as asterisks.
  expectfields(dialogline(run.log, kRangeTitle, 3), {{1035, " 80.000"}, {1025, "*******"}, {1043, " 77.000"}});
}

TEST(Varnel1MethodDialog, AcceptedUnchangedStillRecomputesEverySeries) {
  const std::string dir = varnel1folder();
  // A fit window of series 1 holding one point only (215.00 K): every
  // computation of the series shows its box.
  const std::string failed = "Seria nr 1  Liczba punktów aproksymacji < 2";
  const std::string script = loadsample(dir) + "menu V1_CM_RANGES\nfield 1028 \"215.1\"\nbutton 1\nmsgbox OK\n" +
                             "menu V1_CM_METHODS\nkey Enter\nmsgbox OK\n" +
                             "menu V1_CM_METHODS\nbutton 1029\nbutton 1035\nbutton 1\nmsgbox OK\n" +
                             "menu V1_CM_SAVE_PARAMFILE\nmsgbox OK\nmenu V1_CM_END\n";
  testkit::ProgramRun run = runin("varnel1", dir, script);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_EQ(errorboxes(run.log), (std::vector<std::string>{failed, failed, failed})) << run.log;
  // The methods chosen are stored: series 2 "Parabol", series 3 "Pocz.
  // wartość P"; series 1 as it was.
  const std::string params = testkit::readfile(dir + "/VARNEL1.PAR");
  EXPECT_EQ(record(params, 5), "  3  3  1") << params;
  EXPECT_EQ(record(params, 6), "  3  1  1") << params;
  EXPECT_EQ(record(params, 7), "  1  3  1") << params;
}

}  // namespace
}  // namespace tsd::varnel1::testing
