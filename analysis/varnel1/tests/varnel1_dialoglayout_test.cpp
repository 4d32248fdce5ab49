// varnel1's four kept dialogs as the user sees them: every control with
// its id and text, the fields filled from the state, and a screenshot of
// each (kept in the run's folder, to be looked at).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "analysis/varnel1/tests/varnel1_dialogs_run.h"
#include "analysis/varnel1/tests/varnel1_run.h"
#include "resources/varnel1/varnel1_ids.h"

namespace tsd::varnel1::testing {
namespace {

struct Control {
  const char* cls;
  int id;
  const char* text;
};

struct Dialog {
  int command;
  const char* title;
  std::vector<Control> controls;
};

std::vector<Control> rangecontrols() {
  std::vector<Control> c = {{"BUTTON", 1021, "Seria nr 1"}, {"BUTTON", 1022, "Seria nr 2"},
                            {"BUTTON", 1020, "Seria nr 3"}, {"BUTTON", 1, "OK"}};
  const int buttons[3][4][2] = {{{1016, 1023}, {1017, 1024}, {1087, 1093}, {1018, 1034}},
                                {{1072, 1037}, {1026, 1039}, {1088, 1094}, {1029, 1041}},
                                {{1036, 1038}, {1027, 1040}, {1089, 1095}, {1031, 1042}}};
  const int fields[3][4][2] = {{{1035, 1025}, {1028, 1030}, {1090, 1096}, {1032, 1033}},
                               {{1043, 1049}, {1045, 1051}, {1091, 1097}, {1047, 1053}},
                               {{1044, 1050}, {1046, 1052}, {1092, 1098}, {1048, 1054}}};
  static const char* names[4] = {"Tmin", "Tmax", "Tini", "Tlim"};
  static const char* inverses[4] = {"1000/Tmin", "1000/Tmax", "1000/Tini", "1000/Tlim"};
  static const char* kelvin[4] = {"215.000", "310.000", "215.000", "310.000"};
  static const char* inverse[4] = {"4.65116", "3.22581", "4.65116", "3.22581"};
  for (int s = 0; s < 3; ++s) {
    for (int k = 0; k < 4; ++k) {
      c.push_back({"BUTTON", buttons[s][k][0], names[k]});
      c.push_back({"BUTTON", buttons[s][k][1], inverses[k]});
      c.push_back({"EDIT", fields[s][k][0], kelvin[k]});
      c.push_back({"EDIT", fields[s][k][1], inverse[k]});
    }
  }
  return c;
}

std::vector<Control> methodcontrols() {
  std::vector<Control> c = {{"BUTTON", 1020, "Seria nr 1"}, {"BUTTON", 1055, "Seria nr 2"},
                            {"BUTTON", 1058, "Seria nr 3"}, {"BUTTON", 1, "OK"}};
  const int integration[3][3] = {{1061, 1062, 1063}, {1064, 1065, 1029}, {1066, 1067, 1030}};
  const int p0[3][3] = {{1068, 1069, 1070}, {1019, 1032, 1034}, {1031, 1033, 1035}};
  static const char* inames[3] = {"Trapezów 1", "Trapezów 2", "Parabol"};
  static const char* pnames[3] = {"Aproksymacja J", "Aproksymacja P", "Pocz. wartość P"};
  for (int s = 0; s < 3; ++s) {
    for (int m = 0; m < 3; ++m) {
      c.push_back({"BUTTON", integration[s][m], inames[m]});
      c.push_back({"BUTTON", p0[s][m], pnames[m]});
    }
  }
  return c;
}

TEST(Varnel1DialogLayout, EveryControlIsShownFilledFromTheState) {
  const std::vector<Dialog> dialogs = {
      {V1_CM_RANGES, "Zakres aproksymacji", rangecontrols()},
      {V1_CM_METHODS, "Metody numeryczne", methodcontrols()},
      {V1_CM_OUTPUT_RANGE, "Zakres obliczeń",
       {{"BUTTON", 1020, "Zakres obliczeń"}, {"BUTTON", 1001, "Tmin"}, {"BUTTON", 1002, "1000/Tmin"},
        {"BUTTON", 1003, "Tmax"}, {"BUTTON", 1004, "1000/Tmax"}, {"EDIT", 1005, "215.000"},
        {"EDIT", 1006, "4.65116"}, {"EDIT", 1007, "310.000"}, {"EDIT", 1008, "3.22581"},
        {"BUTTON", 1043, "Liczba pkt. wyjśc."}, {"STATIC", -1, "Nout"}, {"EDIT", 1052, "201"},
        {"BUTTON", 1, "OK"}}},
      {V1_CM_SERIES, "Numery serii",
       {{"BUTTON", 1015, "Numery serii na wykresach"}, {"BUTTON", 1044, "1"}, {"BUTTON", 1071, "2"},
        {"BUTTON", 1046, "3"}, {"BUTTON", 1009, "Numer serii w tabelach"}, {"BUTTON", 1047, "1"},
        {"BUTTON", 1051, "2"}, {"BUTTON", 1050, "3"}, {"BUTTON", 1, "OK"}}},
  };
  const std::string dir = varnel1folder();
  std::string script = loadsample(dir);
  for (const Dialog& d : dialogs) {
    script += "menu " + std::to_string(d.command) + "\nscreenshot \"" + dir + "/dialog" +
              std::to_string(d.command) + ".png\"\nkey Escape\n";
  }
  script += "menu V1_CM_END\n";
  testkit::ProgramRun run = runin("varnel1", dir, script);
  EXPECT_EQ(run.exitcode, 0) << run.log;
  EXPECT_TRUE(errorboxes(run.log).empty()) << run.log;
  for (const Dialog& d : dialogs) {
    SCOPED_TRACE(d.title);
    const std::string line = dialogline(run.log, d.title, 1);
    ASSERT_FALSE(line.empty()) << run.log;
    for (const Control& c : d.controls) {
      SCOPED_TRACE(std::string(c.cls) + " " + std::to_string(c.id));
      EXPECT_EQ(controltext(line, c.cls, c.id), c.text) << line;
    }
    std::printf("screenshot: %s/dialog%d.png\n", dir.c_str(), d.command);
  }
}

}  // namespace
}  // namespace tsd::varnel1::testing
