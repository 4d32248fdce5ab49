#include "peakcurve/mokrin/mokrin_boxes.h"

#include <string>

#include "text/cp1250.h"
#include "toolkit/window/wcomdlg.h"

namespace tsd::mokrin {

void errorbox(std::string_view text) {
  static const std::string title = text::cp1250_from_utf8("Błąd");
  wmessagebox(kBoxOk, kIconExclamation, 1, text, title);
}

void infobox(std::string_view text) {
  wmessagebox(kBoxOk, kIconInformation, 1, text, "Informacja");
}

}  // namespace tsd::mokrin
