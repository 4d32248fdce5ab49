#include "shell/fields.h"

#include <span>

#include "analysis/conversions.h"
#include "toolkit/window/strings.h"
#include "toolkit/window/wdialog.h"

namespace tsd {

std::string fieldtext(int field) {
  std::string text(kFieldReadLength, ' ');
  wdialoggetstring(field, std::span<char>(text));
  return text;
}

std::string integerfield(int value, std::string_view format, std::size_t width) {
  std::string text = blank_text(kFieldTextLength);
  integertostring(value, text, format);
  return text.substr(0, width);
}

}  // namespace tsd
