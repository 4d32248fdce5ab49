// The settings dialogs of varnel2 through the scripted user: every refusal
// with its exact messages in order, and what an accepted dialog commits
// (seen in the parameter file written after a fit, which enables "Zapis").
#include <gtest/gtest.h>

#include <vector>

#include "multipeak/varnel2/tests/varnel2_run.h"
#include "resources/varnel2/varnel2_ids.h"

namespace tsd::varnel2 {
namespace {

using namespace test;

struct DialogCase {
  const char* name;
  int menu;                   // command opening the dialog
  const char* fields;         // script lines typing into its fields
  std::vector<std::string> messages;  // "Błąd" boxes expected, in order
};

TEST(Varnel2Dialogs, RefusalsShowTheirMessagesInOrder) {
  const DialogCase cases[] = {
      {"peak 1 unreadable Tm", V2_CM_PEAKS, "field 1018 \"abc\"\n",
       {"Pik nr 1  Błąd odczytu wartości Tm"}},
      {"peak 2 all three unreadable", V2_CM_PEAKS,
       "field 1074 \"x\"\nfield 1027 \"\"\nfield 1035 \"1..2\"\n",
       {"Pik nr 2  Błąd odczytu wartości Ea", "Pik nr 2  Błąd odczytu wartości Tm",
        "Pik nr 2  Błąd odczytu wartości Jm"}},
      {"disabled peak 3 is not read", V2_CM_PEAKS, "field 1075 \"garbage\"\n", {}},
      {"all peaks off", V2_CM_PEAKS, "button 1014\nbutton 1016\n", {}},
      {"fit range Tmin = Tmax", V2_CM_FIT_RANGE, "field 1004 \"250.0\"\nfield 1008 \"250.0\"\n",
       {"Wartość Tmin >= od wartości Tmax"}},
      {"fit range Tmin = T0", V2_CM_FIT_RANGE, "field 1004 \"200.0\"\n", {"Wartość Tmin <= od wartości T0"}},
      {"fit range unreadable", V2_CM_FIT_RANGE, "field 1004 \"a\"\nfield 1008 \"\"\n",
       {"Błąd odczytu wartości Tmin", "Błąd odczytu wartości Tmax"}},
      {"display Nout 801", V2_CM_DISPLAY_RANGE, "field 1052 \"801\"\n", {"Wartość Nout > od 800"}},
      {"display Nout 0", V2_CM_DISPLAY_RANGE, "field 1052 \"0\"\n",
       {"Błąd odczytu wartości Nout", "Wartość Nout < od 2"}},
      {"display Tmin above Tmax", V2_CM_DISPLAY_RANGE, "field 1005 \"320\"\nfield 1007 \"300\"\n",
       {"Wartość Tmin >= od wartości Tmax"}},
      {"display Tmin below T0", V2_CM_DISPLAY_RANGE, "field 1005 \"150\"\n", {"Wartość Tmin <= od wartości T0"}},
      {"settings QEa 1.00", V2_CM_FIT_SETTINGS, "field 1013 \"1.00\"\n", {"Wartość QEa <= 1.0"}},
      {"settings Del 1.0000", V2_CM_FIT_SETTINGS, "field 1015 \"1.0000\"\n", {"Wartość Del >= 1.0"}},
      {"settings Ldiv 0", V2_CM_FIT_SETTINGS, "field 1016 \"0\"\n",
       {"Błąd odczytu wartości Ldiv", "Wartość Ldiv < 1"}},
      {"settings QTm and QJm", V2_CM_FIT_SETTINGS, "field 1011 \"0.9\"\nfield 1012 \"q\"\n",
       {"Błąd odczytu wartości QJm", "Wartość QTm <= 1.0"}},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = workdir();
    const std::string script =
        std::string(kLoad) + "menu " + std::to_string(c.menu) + "\n" + c.fields + "button 1\n";
    const auto r = runin("varnel2", dir, script);
    EXPECT_EQ(r.exitcode, 0) << describe(r);
    EXPECT_EQ(boxtexts(r.log, "Błąd"), c.messages) << describe(r);
  }
}

// An accepted dialog commits its values; a refused one commits nothing but
// the check boxes of dialog 107.
TEST(Varnel2Dialogs, CommitsOnlyWhenEveryCheckPassed) {
  struct Case {
    const char* name;
    const char* script;
    std::vector<std::string> lines;  // lines of VARNEL2.PAR after saving
  };
  const Case cases[] = {
      {"Nout 800 accepted", "menu V2_CM_DISPLAY_RANGE\nfield 1052 \"800\"\nbutton 1\n",
       {"  800  0", "", "", "", "", "", ""}},
      {"Escape applies the input like OK", "menu V2_CM_DISPLAY_RANGE\nfield 1052 \"799\"\nkey Escape\n",
       {"  799  0", "", "", "", "", "", ""}},
      {"refused Nout keeps the old grid",
       "menu V2_CM_DISPLAY_RANGE\nfield 1005 \"150\"\nfield 1052 \"300\"\nbutton 1\nmsgbox OK\n",
       {"  201  0", "", "", "", "", "", ""}},
      {"peak values taken", "menu V2_CM_PEAKS\nfield 1074 \"0.950000\"\nfield 1035 \"2.5E-12\"\nbutton 1\n",
       {"", "", "  9.500000E-01  2.900000E+02  2.500000E-12  1", "", "", "", ""}},
      {"check boxes taken despite a refusal",
       "menu V2_CM_PEAKS\nbutton 1023\nfield 1018 \"?\"\nbutton 1\nmsgbox OK\n",
       {"", "  6.600000E-01  2.630000E+02  3.800000E-12  1", "", "",
        "  1.000000E+00  3.000000E+02  1.000000E-12  1", "", ""}},
      {"settings taken",
       "menu V2_CM_FIT_SETTINGS\nfield 1013 \"1.30\"\nfield 1015 \"-0.5\"\nfield 1016 \"2\"\nbutton 1\n",
       {"", "", "", "", "", "  1.300000E+00  1.050000E+00  1.500000E+00",
        " -5.000000E-01  2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string dir = workdir();
    const auto r = runin("varnel2", dir, std::string(kLoad) + c.script + "menu V2_CM_FIT\nmenu V2_CM_SAVE_PARAMFILE\nmsgbox OK\n");
    EXPECT_EQ(r.exitcode, 0) << describe(r);
    EXPECT_EQ(boxtexts(r.log, "Informacja"),
              std::vector<std::string>{"Parametry zapisane w pliku Varnel2.par"})
        << describe(r);
    std::vector<std::string> got;
    const std::string par = testkit::readfile(dir + "/VARNEL2.PAR");
    for (size_t p = 0, q; (q = par.find('\n', p)) != std::string::npos; p = q + 1) {
      got.push_back(par.substr(p, q - p));
    }
    ASSERT_EQ(got.size(), 7u) << par;
    for (size_t i = 0; i < 7; ++i) {
      if (!c.lines[i].empty()) {
        EXPECT_EQ(got[i], c.lines[i]) << "record " << i + 1;
      }
    }
  }
}

}  // namespace
}  // namespace tsd::varnel2
