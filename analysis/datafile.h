// The measured data file: one TSD run, read in free format.
//
// Layout: a header read N (points, integer), b (heating rate, K/s), T0
// (temperature at the start of heating, K), S (sample area, cm2); then N
// point reads T (K) and I (current, A). Each read starts on a new line and
// may run over several lines; values left on its last line are ignored
// (runtime/freeread.h). The current is stored as the current density
// J = I * (1/S), with 1/S computed once. Points are expected in rising
// temperature; their order is not checked.
//
// readdatafile(name, data) reads the file named `name` (code page 1250,
// trailing blanks ignored) into `data` and puts b and T0 into `var` too.
//   ok           every read gave all its values and they were accepted
//   cannot_open  the file cannot be opened; nothing is changed
//   read_failed  a value is not a number, a value is missing (the file ends,
//                a null value), a number is not finite, N is outside 2..800,
//                b is not above 0, S is 0 (or so small that 1/S or a
//                current density is not finite)
// On read_failed the values read so far stay, as far as they were accepted:
// b and T0 as soon as they are read, N and S only when they pass their
// checks, points T(i) and J(i) as far as they were read. Points are read
// only after a complete header with a usable b and S, at most 800 of them (the
// first 800 when N is larger); nothing is written past 800 points.
#pragma once

#include <string_view>

namespace tsd {

inline constexpr int kMaxMeasuredPoints = 800;

// Measured data; point i = 1..N is at index i-1.
struct MeasuredData {
  int N = 0;         // number of points
  double b = 0.0;    // heating rate [K/s]
  double T0 = 0.0;   // temperature at the start of heating [K]
  double S = 0.0;    // sample area [cm2]
  double T[kMaxMeasuredPoints] = {};  // temperature [K]
  double J[kMaxMeasuredPoints] = {};  // current density [A/cm2]
};

enum class DataFileStatus { ok, cannot_open, read_failed };

DataFileStatus readdatafile(std::string_view name, MeasuredData& data);

// readdatafile for a program that holds data already: a file that is not ok
// leaves `var` as it was, so that b and T0 stay those of the data held and
// nothing mixes two files. `data` is the reader's own and is taken only when
// the status is ok.
DataFileStatus readnewdatafile(std::string_view name, MeasuredData& data);

}  // namespace tsd
