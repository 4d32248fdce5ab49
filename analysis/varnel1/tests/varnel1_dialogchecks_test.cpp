// The reading and checking of varnel1's range and output-range dialogs
// without a window: typed texts and modes in, new values and the error
// texts (in the order they are shown) out.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "analysis/varnel1/varnel1_dialogchecks.h"
#include "text/cp1250.h"

namespace tsd::varnel1 {
namespace {

std::vector<std::string> cpall(const std::vector<std::string>& utf8) {
  std::vector<std::string> out;
  for (const std::string& s : utf8) out.push_back(cp(s));
  return out;
}

std::string shown(const std::vector<std::string>& messages) {
  std::string all;
  for (const std::string& m : messages) all += "[" + text::utf8_from_cp1250(m) + "] ";
  return all;
}

TEST(Varnel1FieldTexts, ValuesAreWrittenInTheirFieldWidths) {
  EXPECT_EQ(kelvintext(250.0), "250.000");
  EXPECT_EQ(kelvintext(215.25), "215.250");
  EXPECT_EQ(inversetext(4.0), "4.00000");
  EXPECT_EQ(inversetext(1000.0 / 215.0), "4.65116");
  EXPECT_EQ(inversetext(1000.0 / 310.0), "3.22581");
  EXPECT_EQ(kelvintext(12345.0), "*******") << "too wide for the field";
  EXPECT_EQ(counttext(201), "201");
  EXPECT_EQ(counttext(5), "  5");
  EXPECT_EQ(counttext(1000), "***");
}

// The limits of the sample data in every series, typed back as shown.
RangeValues samplelimits() {
  RangeValues v{};
  for (auto& s : v) s = {215.0, 310.0, 215.0, 310.0};
  return v;
}

TypedRanges typedas(const RangeValues& v) {
  TypedRanges t;
  for (int s = 0; s < kRangeSeries; ++s) {
    for (int k = 0; k < kLimitCount; ++k) t[s][k] = {1, kelvintext(v[s][k]), inversetext(1000.0 / v[s][k])};
  }
  return t;
}

TEST(Varnel1RangeChecks, TypedLimitsAndTheirRefusals) {
  struct Case {
    const char* name;
    std::function<void(TypedRanges&)> type;
    std::vector<std::string> messages;  // UTF-8; CR LF after the series
    int series = 0, limit = 0;          // one value to look at afterwards
    double value = 0.0;
  };
  const Case cases[] = {
      {"shown values read back unchanged", [](TypedRanges&) {}, {}, 1, kTmin, 215.0},
      {"1000/Tmin 4.0 gives 250 K",
       [](TypedRanges& t) { t[1][kTmin] = {2, "215.000", "4.0"}; }, {}, 2, kTmin, 250.0},
      {"the field of the other mode is not read",
       [](TypedRanges& t) { t[1][kTmin] = {2, "garbage", "4.0"}; t[0][kTmax].inverse = "x"; }, {}, 2, kTmin, 250.0},
      {"the whole text is read, past 14 characters",
       [](TypedRanges& t) { t[0][kTmax].kelvin = "          300.5"; }, {}, 1, kTmax, 300.5},
      {"a mode outside 1..2 reads nothing",
       [](TypedRanges& t) { t[2][kTini] = {-999, "abc", "abc"}; }, {}, 3, kTini, 215.0},
      {"Tmin equal to Tmax",
       [](TypedRanges& t) { t[1][kTmin].kelvin = "300"; t[1][kTmax].kelvin = "300"; },
       {"Seria nr 2\r\nWartość Tmin >= od wartości Tmax"}, 2, kTmin, 300.0},
      {"blank Tmin keeps the value it had",
       [](TypedRanges& t) { t[0][kTmin].kelvin = "       "; },
       {"Seria nr 1\r\nBłąd odczytu wartości Tmin"}, 1, kTmin, 215.0},
      {"letters as 1000/Tlim",
       [](TypedRanges& t) { t[2][kTlim] = {2, "310.000", "abc"}; },
       {"Seria nr 3\r\nBłąd odczytu wartości 1000/Tlim"}, 3, kTlim, 310.0},
      {"1000/Tmax of zero has no temperature",
       [](TypedRanges& t) { t[0][kTmax] = {2, "310.000", "0"}; },
       {"Seria nr 1\r\nBłąd odczytu wartości 1000/Tmax"}, 1, kTmax, 310.0},
      {"each unreadable field has its box",
       [](TypedRanges& t) { t[0][kTini].kelvin = "?"; t[1][kTlim] = {2, "", "1.2.3"}; },
       {"Seria nr 1\r\nBłąd odczytu wartości Tini", "Seria nr 2\r\nBłąd odczytu wartości 1000/Tlim"}, 1, kTini,
       215.0},
      {"read boxes of all series come before the checks",
       [](TypedRanges& t) { t[2][kTini].kelvin = "400"; t[0][kTmin].kelvin = "x"; },
       {"Seria nr 1\r\nBłąd odczytu wartości Tmin", "Seria nr 3\r\nWartość Tini >= od wartości Tlim",
        "Seria nr 3\r\nWartość Tmax <= od wartości Tini"},
       3, kTini, 400.0},
      {"all four checks of one series, in order",
       [](TypedRanges& t) { t[0] = {{{1, "300", ""}, {1, "250", ""}, {1, "280", ""}, {1, "260", ""}}}; },
       {"Seria nr 1\r\nWartość Tmin >= od wartości Tmax", "Seria nr 1\r\nWartość Tmin >= od wartości Tlim",
        "Seria nr 1\r\nWartość Tini >= od wartości Tlim", "Seria nr 1\r\nWartość Tmax <= od wartości Tini"},
       1, kTlim, 260.0},
      {"Tmax equal to Tini",
       [](TypedRanges& t) { t[1][kTmax].kelvin = "250"; t[1][kTini].kelvin = "250"; },
       {"Seria nr 2\r\nWartość Tmax <= od wartości Tini"}, 2, kTini, 250.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RangeValues values = samplelimits();
    TypedRanges typed = typedas(values);
    c.type(typed);
    const std::vector<std::string> got = checkranges(typed, values);
    EXPECT_EQ(got, cpall(c.messages)) << "got " << shown(got);
    EXPECT_DOUBLE_EQ(values[c.series - 1][c.limit], c.value);
  }
}

TEST(Varnel1OutputChecks, TypedRangeAndCountAndTheirRefusals) {
  constexpr double kT0 = 200.0;
  struct Case {
    const char* name;
    std::function<void(TypedOutput&)> type;
    std::vector<std::string> messages;
    OutputValues expect;  // the values afterwards
  };
  const OutputValues shown0{215.0, 1000.0 / 215.0, 310.0, 1000.0 / 310.0, 201};
  auto with = [&shown0](std::function<void(OutputValues&)> f) {
    OutputValues v = shown0;
    f(v);
    return v;
  };
  const Case cases[] = {
      {"shown values read back", [](TypedOutput&) {}, {}, shown0},
      {"Tmin in K sets its 1000/T", [](TypedOutput& t) { t.tmin = "250"; }, {},
       with([](OutputValues& v) { v.tmin = 250.0; v.xhigh = 4.0; })},
      {"1000/Tmin sets Tmin", [](TypedOutput& t) { t.tminmode = 2; t.xhigh = "4.5"; t.tmin = "junk"; }, {},
       with([](OutputValues& v) { v.tmin = 1000.0 / 4.5; v.xhigh = 4.5; })},
      {"Nout 800 is taken", [](TypedOutput& t) { t.count = "800"; }, {},
       with([](OutputValues& v) { v.count = 800; })},
      {"Nout 801", [](TypedOutput& t) { t.count = "801"; }, {"Wartość Nwyj > od 800"},
       with([](OutputValues& v) { v.count = 801; })},
      {"Nout 2 is taken", [](TypedOutput& t) { t.count = "  2"; }, {}, with([](OutputValues& v) { v.count = 2; })},
      {"Nout 1", [](TypedOutput& t) { t.count = "1"; }, {"Wartość Nwyj < od 2"},
       with([](OutputValues& v) { v.count = 1; })},
      {"blank Nout", [](TypedOutput& t) { t.count = "   "; },
       {"Błąd odczytu wartości Nwyj", "Wartość Nwyj < od 2"}, with([](OutputValues& v) { v.count = 0; })},
      {"letters as Nout", [](TypedOutput& t) { t.count = "abc"; },
       {"Błąd odczytu wartości Nwyj", "Wartość Nwyj < od 2"}, with([](OutputValues& v) { v.count = 0; })},
      {"Tmin equal to T0", [](TypedOutput& t) { t.tmin = "200"; }, {"Wartość Tmin <= od wartości T0"},
       with([](OutputValues& v) { v.tmin = 200.0; v.xhigh = 5.0; })},
      {"Tmin equal to Tmax", [](TypedOutput& t) { t.tmin = "310"; }, {"Wartość Tmin >= od wartości Tmax"},
       with([](OutputValues& v) { v.tmin = 310.0; v.xhigh = 1000.0 / 310.0; })},
      {"blank Tmin", [](TypedOutput& t) { t.tmin = ""; }, {"Błąd odczytu wartości Tmin"}, shown0},
      {"letters as 1000/Tmax", [](TypedOutput& t) { t.tmaxmode = 2; t.xlow = "x"; },
       {"Błąd odczytu wartości 1000/Tmax"}, shown0},
      {"1000/Tmin of zero", [](TypedOutput& t) { t.tminmode = 2; t.xhigh = "0"; },
       {"Błąd odczytu wartości 1000/Tmin"}, shown0},
      {"several refusals in order",
       [](TypedOutput& t) { t.tmax = "?"; t.tmin = "150"; t.count = "900"; },
       {"Błąd odczytu wartości Tmax", "Wartość Tmin <= od wartości T0", "Wartość Nwyj > od 800"},
       with([](OutputValues& v) { v.tmin = 150.0; v.xhigh = 1000.0 / 150.0; v.count = 900; })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TypedOutput typed;
    typed.tmin = kelvintext(shown0.tmin);
    typed.xhigh = inversetext(shown0.xhigh);
    typed.tmax = kelvintext(shown0.tmax);
    typed.xlow = inversetext(shown0.xlow);
    typed.count = counttext(shown0.count);
    c.type(typed);
    OutputValues values = shown0;
    const std::vector<std::string> got = checkoutput(typed, kT0, values);
    EXPECT_EQ(got, cpall(c.messages)) << "got " << shown(got);
    EXPECT_DOUBLE_EQ(values.tmin, c.expect.tmin);
    EXPECT_NEAR(values.xhigh, c.expect.xhigh, 1e-6);
    EXPECT_DOUBLE_EQ(values.tmax, c.expect.tmax);
    EXPECT_NEAR(values.xlow, c.expect.xlow, 1e-6);
    EXPECT_EQ(values.count, c.expect.count);
  }
}

}  // namespace
}  // namespace tsd::varnel1
