// The window-free half of varnel1's range dialogs: the texts written into
// their fields, and the reading and checking of what the user typed into
// new limits plus the error texts to show, one per refused field or failed
// check, in the order they are shown. Texts are code page 1250.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "shell/checks.h"

namespace tsd::varnel1 {

// The limits of a series in the order the range dialog reads them.
enum Limit { kTmin = 0, kTmax = 1, kTini = 2, kTlim = 3 };
inline constexpr int kLimitCount = 4;
inline constexpr int kRangeSeries = 3;

// Field texts: a temperature in K "(F7.3)", a value of 1000/T "(F7.5)", a
// point count "(I3)", each cut to the width of its field.
std::string kelvintext(double t);
std::string inversetext(double x);
std::string counttext(int n);

// What was typed for one limit: the input mode (1 the value in K, 2 the
// value as 1000/T; any other mode reads neither field) and both fields.
struct TypedLimit {
  int mode = 1;
  std::string kelvin;
  std::string inverse;
};

using TypedRanges = std::array<std::array<TypedLimit, kLimitCount>, kRangeSeries>;
using RangeValues = std::array<std::array<double, kLimitCount>, kRangeSeries>;  // [series][limit], K

// Dialog 104: reads every series' limits into `values` (which holds the
// values a field that is not read keeps), then checks the order of the
// limits of each series ("Seria nr <s>" CR LF before each text). A field that still shows the run of asterisks the
// program filled it with (a value too wide for it) keeps the value it
// stands for, as does such a field of dialog 105. Returns the error texts; none means the new
// values may be committed.
CheckMessages checkranges(const TypedRanges& typed, RangeValues& values);

// Dialog 105: the output range as typed.
struct TypedOutput {
  int tminmode = 1;  // 1 Tmin in K (field 1005), 2 as 1000/Tmin (1006)
  int tmaxmode = 1;  // 1 Tmax in K (field 1007), 2 as 1000/Tmax (1008)
  std::string tmin, xhigh, tmax, xlow;
  std::string count;  // "Nout" (field 1052)
};

struct OutputValues {
  double tmin = 0.0;   // K
  double xhigh = 0.0;  // 1000/tmin
  double tmax = 0.0;   // K
  double xlow = 0.0;   // 1000/tmax
  int count = 0;       // output points
};

// Reads the output range into `values` (holding what an unread field
// keeps) and checks it against t0, the start temperature of the loaded
// data. Returns the error texts; none means the values may be committed.
CheckMessages checkoutput(const TypedOutput& typed, double t0, OutputValues& values);

}  // namespace tsd::varnel1
