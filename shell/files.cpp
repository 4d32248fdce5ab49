#include "shell/files.h"

#include <span>
#include <string>

#include "shell/boxes.h"
#include "shell/report.h"
#include "toolkit/window/errstore.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"

namespace tsd {

namespace {

constexpr int kOpenFlags = kFileKeepDirectory | kFileDefaultExt;
constexpr int kSaveFlags = kFileSave | kFileKeepDirectory | kFileDefaultExt;
constexpr int kDialogConfirmed = 4;  // winfodialog item: 1 when the user confirmed
constexpr int kErrorExtraCode = 3;   // infoerror item: the common dialog's extended code

// Runs the dialog on `name`. A choice longer than the field (which the
// dialog does not take) or one the host cannot open is refused with a box,
// and the name stays as it was.
template <typename Dialog>
bool choose(runtime::FileName& name, Dialog dialog) {
  const runtime::FileName before = name;
  infoerror(kErrorExtraCode);  // no code of an earlier dialog taken for this one's
  dialog(name.field());
  const bool confirmed = winfodialog(kDialogConfirmed) == 1;
  const bool toolong = confirmed ? !runtime::hostcantake(name.text())
                                 : infoerror(kErrorExtraCode) == kFileChoiceTooLong;
  if (!toolong) return confirmed;
  name = before;
  errorbox(toolongnametext());
  return false;
}

}  // namespace

bool choosedatafile(runtime::FileName& name) {
  return choose(name, [](std::span<char> field) {
    wselectfile2("Plik danych (*.dat, *.prn, *.txt)|*.dat; *.prn; *.txt|", kOpenFlags, field, "Czytanie danych");
  });
}

bool choosereportfile(std::string_view filter, runtime::FileName& name, std::string_view title) {
  return choose(name, [&](std::span<char> field) { wselectfile2(filter, kSaveFlags, field, title); });
}

std::string toolongnametext() { return cp("Za długa nazwa pliku"); }

void datafilefailed(DataFileStatus status, std::string_view name) {
  if (status == DataFileStatus::cannot_open) {
    errorbox(outputerrortext(OutputStatus::open_failed, name));
  } else if (status != DataFileStatus::ok) {
    errorbox(cp("Błąd odczytu danych"));
  }
}

}  // namespace tsd
