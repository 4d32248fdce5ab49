// The checks of varnel2's dialogs and of its fit request without a window:
// the texts of the "Błąd" boxes for what was read, in the order they are
// shown, and none for values that are taken.
#include "multipeak/varnel2/varnel2_checks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "text/cp1250.h"

namespace tsd::varnel2 {
namespace {

// The expected texts, written in UTF-8.
CheckMessages texts(const std::vector<const char*>& utf8) {
  CheckMessages m;
  for (const char* t : utf8) m.push_back(cp(t));
  return m;
}

RealField unread(double left) { return {left, false}; }

TEST(Varnel2Checks, PeaksNameThePeakOfEachUnreadableValue) {
  struct Case {
    const char* name;
    PeaksInput in;
    std::vector<const char*> messages;
  };
  auto peaks = [](int on1, int on2, int on3, int on4) {
    PeaksInput in;
    const int on[4] = {on1, on2, on3, on4};
    for (int k = 0; k < 4; ++k) {
      in.peakon[k] = on[k];
      in.Ea[k] = {0.8, true};
      in.Tm[k] = {290.0, true};
      in.Jm[k] = {1e-12, true};
    }
    return in;
  };
  Case cases[] = {
      {"all read", peaks(1, 1, 1, 1), {}},
      {"one value of peak 3", peaks(1, 1, 1, 1), {"Pik nr 3\r\nBłąd odczytu wartości Tm"}},
      {"all three of peak 2, in field order", peaks(0, 1, 0, 0),
       {"Pik nr 2\r\nBłąd odczytu wartości Ea", "Pik nr 2\r\nBłąd odczytu wartości Tm",
        "Pik nr 2\r\nBłąd odczytu wartości Jm"}},
      {"a peak switched off is not checked", peaks(1, 0, 0, 1), {"Pik nr 4\r\nBłąd odczytu wartości Jm"}},
      {"peak order", peaks(1, 0, 0, 1),
       {"Pik nr 1\r\nBłąd odczytu wartości Jm", "Pik nr 4\r\nBłąd odczytu wartości Ea"}},
  };
  cases[1].in.Tm[2] = unread(290.0);
  for (int k = 0; k < 3; ++k) {
    RealField* f[3] = {&cases[2].in.Ea[1], &cases[2].in.Tm[1], &cases[2].in.Jm[1]};
    *f[k] = unread(0.0);
  }
  cases[3].in.Ea[1] = unread(0.0);  // peak 2 is off
  cases[3].in.Jm[3] = unread(0.0);
  cases[4].in.Ea[3] = unread(0.0);
  cases[4].in.Jm[0] = unread(0.0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(peakschecks(c.in), texts(c.messages));
  }
}

TEST(Varnel2Checks, RangesAreCheckedOnWhatTheReadsLeft) {
  const double t0 = 200.0;
  struct Case {
    const char* name;
    RealField tmin, tmax;
    std::vector<const char*> messages;
  };
  const Case cases[] = {
      {"taken", {210.0, true}, {300.0, true}, {}},
      {"Tmin = Tmax", {250.0, true}, {250.0, true}, {"Wartość Tmin >= od wartości Tmax"}},
      {"Tmin = T0", {200.0, true}, {300.0, true}, {"Wartość Tmin <= od wartości T0"}},
      {"Tmin above Tmax and below T0", {190.0, true}, {180.0, true},
       {"Wartość Tmin >= od wartości Tmax", "Wartość Tmin <= od wartości T0"}},
      {"both unreadable, the old range kept and checked", unread(210.0), unread(300.0),
       {"Błąd odczytu wartości Tmin", "Błąd odczytu wartości Tmax"}},
      {"unreadable Tmax before the range checks", {320.0, true}, unread(300.0),
       {"Błąd odczytu wartości Tmax", "Wartość Tmin >= od wartości Tmax"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fitrangechecks({c.tmin, c.tmax}, t0), texts(c.messages));
    // The display range makes the same checks before those of Nout.
    EXPECT_EQ(displayrangechecks({c.tmin, c.tmax, {201, true}}, t0), texts(c.messages));
  }
}

TEST(Varnel2Checks, DisplayRangeChecksNoutLast) {
  struct Case {
    const char* name;
    DisplayRangeInput in;
    std::vector<const char*> messages;
  };
  const Case cases[] = {
      {"2 and 800 taken", {{210.0, true}, {300.0, true}, {2, true}}, {}},
      {"800", {{210.0, true}, {300.0, true}, {800, true}}, {}},
      {"801", {{210.0, true}, {300.0, true}, {801, true}}, {"Wartość Nout > od 800"}},
      {"1", {{210.0, true}, {300.0, true}, {1, true}}, {"Wartość Nout < od 2"}},
      {"unreadable counts as 0", {{210.0, true}, {300.0, true}, {0, false}},
       {"Błąd odczytu wartości Nout", "Wartość Nout < od 2"}},
      {"every read first, then the range, then Nout",
       {unread(150.0), {300.0, true}, {0, false}},
       {"Błąd odczytu wartości Tmin", "Błąd odczytu wartości Nout",
        "Wartość Tmin <= od wartości T0", "Wartość Nout < od 2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(displayrangechecks(c.in, 200.0), texts(c.messages));
  }
}

TEST(Varnel2Checks, FitSettingsReadsFirstThenTheLimits) {
  struct Case {
    const char* name;
    FitSettingsInput in;
    std::vector<const char*> messages;
  };
  const FitSettingsInput ok = {{1.5, true}, {1.1, true}, {2.0, true}, {0.001, true}, {3, true}};
  Case cases[] = {
      {"taken", ok, {}},
      {"QEa 1.0", ok, {"Wartość QEa <= 1.0"}},
      {"Del 1.0", ok, {"Wartość Del >= 1.0"}},
      {"Ldiv unreadable", ok, {"Błąd odczytu wartości Ldiv", "Wartość Ldiv < 1"}},
      {"QTm low and QJm unreadable", ok, {"Błąd odczytu wartości QJm", "Wartość QTm <= 1.0"}},
      {"every limit, in order", {{1.0, true}, {0.5, true}, {1.0, true}, {2.0, true}, {0, true}},
       {"Wartość QEa <= 1.0", "Wartość QTm <= 1.0", "Wartość QJm <= 1.0", "Wartość Del >= 1.0",
        "Wartość Ldiv < 1"}},
  };
  cases[1].in.QEa.value = 1.0;
  cases[2].in.Del.value = 1.0;
  cases[3].in.Ldiv = {0, false};
  cases[4].in.QTm.value = 0.9;
  cases[4].in.QJm.read = false;  // the old 2.0 is kept
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fitsettingschecks(c.in), texts(c.messages));
  }
}

TEST(Varnel2Checks, FitNeedsUsableStartValuesAndAPointToFit) {
  auto s = std::make_unique<State>();
  for (int k = 0; k < kMaxPeaks; ++k) {
    s->Ea[k] = 0.8;
    s->Tm[k] = 290.0;
    s->Jm[k] = 1e-12;
  }
  s->peakon[0] = 1;
  s->peakon[2] = 1;
  EXPECT_EQ(fitchecks(*s, 1, 10), CheckMessages{});
  EXPECT_EQ(fitchecks(*s, 5, 5), CheckMessages{}) << "one point is enough";
  s->Jm[1] = 0.0;  // peak 2 is off
  s->Ea[2] = 0.0;
  s->Jm[2] = -1e-12;
  s->Tm[0] = 0.0;
  EXPECT_EQ(fitchecks(*s, 6, 5),
            texts({"Pik nr 1\r\nWartość Tm <= 0", "Pik nr 3\r\nWartość Ea <= 0",
                   "Pik nr 3\r\nWartość Jm <= 0", "Brak punktów pomiarowych w zakresie aproksymacji"}));
  s->peakon[0] = s->peakon[2] = 0;
  EXPECT_EQ(fitchecks(*s, 1, 10), CheckMessages{}) << "no peak: nothing to refuse";
}

}  // namespace
}  // namespace tsd::varnel2
