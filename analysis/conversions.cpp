#include "analysis/conversions.h"

#include <cmath>

#include "runtime/format.h"
#include "runtime/freeread.h"

namespace tsd {

namespace {

// The last single-precision number stringtoreal read; a null value gives it
// back.
float last_read = 0.0f;

}  // namespace

void realtostring(double value, std::string& text, std::string_view format) {
  using runtime::FormatStatus;
  const float single = static_cast<float>(value);
  std::string field;
  FormatStatus st = runtime::format_real(single, format, field);
  if (st == FormatStatus::ok && std::isfinite(value) && !std::isfinite(single)) {
    // Beyond single precision: the value does not fit, whatever the field.
    field.assign(field.size(), '*');
  }
  if (st != FormatStatus::ok || field.size() > static_cast<size_t>(kFieldTextLength)) {
    field.assign(kFieldTextLength, '*');
  }
  text = field;
  text.resize(kFieldTextLength, ' ');
}

void stringtoreal(std::string_view text, double& value, int& status) {
  runtime::FreeReader reader(text);
  float v = 0.0f;
  const runtime::ReadResult r = reader.read({v});
  switch (r.status) {
    case runtime::ReadStatus::ok:
      if (r.assigned & 1u) last_read = v;
      value = last_read;
      status = 0;
      return;
    case runtime::ReadStatus::bad_value:
      status = 1;
      return;
    case runtime::ReadStatus::end_of_file:
      status = -1;
      return;
  }
}

std::string realfield(double value, std::string_view format, std::size_t width) {
  std::string text;
  realtostring(value, text, format);
  return text.substr(0, width);
}

}  // namespace tsd
