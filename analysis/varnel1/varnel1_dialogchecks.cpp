#include "analysis/varnel1/varnel1_dialogchecks.h"

#include "analysis/conversions.h"
#include "shell/fields.h"
#include "shell/checks.h"
#include "toolkit/window/strings.h"

namespace tsd::varnel1 {

namespace {

constexpr std::size_t kValueWidth = 7;  // characters of a limit field
constexpr std::size_t kCountWidth = 3;  // characters of the point-count field
constexpr int kMaxOutputPoints = 800;

constexpr const char* kLimitNames[kLimitCount] = {"Tmin", "Tmax", "Tini", "Tlim"};

// The field of a limit in K, or as 1000/T, that holds no number.
std::string readfailed(std::string_view name, bool inverse) {
  return readfailedtext(inverse ? "1000/" + std::string(name) : std::string(name));
}

std::string seriesprefix(int s) { return "Seria nr " + std::to_string(s) + "\r\n"; }

// The number typed into a field; false (value untouched) when none can be
// read.
bool readnumber(std::string_view text, double& value) {
  int status = 0;
  stringtoreal(text, value, status);
  return status == 0;
}

// A temperature typed as 1000/T. A typed 0 has no temperature: it is
// refused like an unreadable field rather than taken as an infinite one.
bool readinverse(std::string_view text, double& x) {
  double typed = 0.0;
  if (!readnumber(text, typed) || typed == 0.0) return false;
  x = typed;
  return true;
}

// The field text without the blanks around it.
std::string_view trimmedtext(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A field the program filled with a run of asterisks (its value does not
// fit the field: 1000/T of a temperature below 100 K in "(F7.5)") and the
// user left as it was. It stands for the value it was filled from, which
// is kept; anything typed is read.
bool untouchedoverflow(std::string_view typed, const std::string& filled) {
  const std::string_view f = trimmedtext(filled);
  return !f.empty() && f.find_first_not_of('*') == std::string_view::npos && trimmedtext(typed) == f;
}

}  // namespace

std::string kelvintext(double t) { return realfield(t, "(F7.3)", kValueWidth); }

std::string inversetext(double x) { return realfield(x, "(F7.5)", kValueWidth); }

std::string counttext(int n) { return integerfield(n, "(I3)", kCountWidth); }

CheckMessages checkranges(const TypedRanges& typed, RangeValues& values) {
  CheckMessages messages;
  for (int s = 0; s < kRangeSeries; ++s) {
    for (int k = 0; k < kLimitCount; ++k) {
      const TypedLimit& limit = typed[s][k];
      double& value = values[s][k];
      if (limit.mode == 1) {
        if (untouchedoverflow(limit.kelvin, kelvintext(value))) continue;
        if (!readnumber(limit.kelvin, value)) messages.push_back(seriesprefix(s + 1) + readfailed(kLimitNames[k], false));
      } else if (limit.mode == 2) {
        if (untouchedoverflow(limit.inverse, inversetext(1000.0 / value))) continue;
        double x = 0.0;
        if (readinverse(limit.inverse, x)) {
          value = 1000.0 / x;
        } else {
          messages.push_back(seriesprefix(s + 1) + readfailed(kLimitNames[k], true));
        }
      }
    }
  }
  // The order checks run on whatever values stand, also after a refused
  // field.
  for (int s = 0; s < kRangeSeries; ++s) {
    const std::array<double, kLimitCount>& v = values[s];
    const std::string prefix = seriesprefix(s + 1);
    if (v[kTmin] >= v[kTmax]) messages.push_back(prefix + comparedtext("Tmin", ">=", "Tmax"));
    if (v[kTmin] >= v[kTlim]) messages.push_back(prefix + comparedtext("Tmin", ">=", "Tlim"));
    if (v[kTini] >= v[kTlim]) messages.push_back(prefix + comparedtext("Tini", ">=", "Tlim"));
    if (v[kTmax] <= v[kTini]) messages.push_back(prefix + comparedtext("Tmax", "<=", "Tini"));
  }
  return messages;
}

CheckMessages checkoutput(const TypedOutput& typed, double t0, OutputValues& values) {
  CheckMessages messages;
  // One end of the range: its temperature and its 1000/T, from the field
  // the mode names.
  auto readend = [&messages](int mode, const std::string& kelvin, const std::string& inverse,
                             std::string_view name, double& t, double& x) {
    if (mode == 1) {
      if (untouchedoverflow(kelvin, kelvintext(t))) return;
      if (readnumber(kelvin, t)) {
        x = 1000.0 / t;
      } else {
        messages.push_back(readfailed(name, false));
      }
    } else if (mode == 2) {
      if (untouchedoverflow(inverse, inversetext(x))) return;
      if (readinverse(inverse, x)) {
        t = 1000.0 / x;
      } else {
        messages.push_back(readfailed(name, true));
      }
    }
  };
  readend(typed.tminmode, typed.tmin, typed.xhigh, "Tmin", values.tmin, values.xhigh);
  readend(typed.tmaxmode, typed.tmax, typed.xlow, "Tmax", values.tmax, values.xlow);

  istringtointeger(typed.count, values.count);
  if (values.count == 0) messages.push_back(readfailedtext("Nwyj"));

  checkoutputrange(values.tmin, values.tmax, t0, messages);
  checkpointcount("Nwyj", values.count, kMaxOutputPoints, messages);
  return messages;
}

}  // namespace tsd::varnel1
