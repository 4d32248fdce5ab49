#include "shell/fields.h"

#include <span>

#include "toolkit/window/wdialog.h"

namespace tsd {

std::string fieldtext(int field) {
  std::string text(kFieldReadLength, ' ');
  wdialoggetstring(field, std::span<char>(text));
  return text;
}

}  // namespace tsd
