#include "shell/boxes.h"

#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"

namespace tsd {

void errorbox(std::string_view text) {
  static const std::string title = cp("Błąd");
  wmessagebox(kBoxOk, kIconExclamation, 1, text, title);
}

void errorboxes(const std::vector<std::string>& texts) {
  for (const std::string& t : texts) errorbox(t);
}

void infobox(std::string_view text) { infobox(text, "Informacja"); }

void infobox(std::string_view text, std::string_view title) {
  wmessagebox(kBoxOk, kIconInformation, 1, text, title);
}

void showmodal() { wdialogshow(1, -1, 0, kShowModal); }

void showfilled(int dialog, std::span<const FieldText> texts) {
  wdialogload(dialog);
  wdialogselect(dialog);
  for (const FieldText& t : texts) wdialogputstring(t.field, t.text);
  showmodal();
  wdialogunload();
}

}  // namespace tsd
