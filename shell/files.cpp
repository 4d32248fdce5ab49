#include "shell/files.h"

#include <string>

#include "shell/boxes.h"
#include "shell/report.h"
#include "toolkit/window/wcomdlg.h"
#include "toolkit/window/wdialog.h"

namespace tsd {

namespace {

constexpr int kOpenFlags = kFileKeepDirectory | kFileDefaultExt;
constexpr int kSaveFlags = kFileSave | kFileKeepDirectory | kFileDefaultExt;
constexpr int kDialogConfirmed = 4;  // winfodialog item: 1 when the user confirmed

}  // namespace

bool choosedatafile(std::span<char> name) {
  wselectfile2("Plik danych (*.dat, *.prn, *.txt)|*.dat; *.prn; *.txt|", kOpenFlags, name,
               "Czytanie danych");
  return winfodialog(kDialogConfirmed) == 1;
}

bool choosereportfile(std::string_view filter, std::span<char> name, std::string_view title) {
  wselectfile2(filter, kSaveFlags, name, title);
  return winfodialog(kDialogConfirmed) == 1;
}

void datafilefailed(DataFileStatus status, std::string_view name) {
  if (status == DataFileStatus::cannot_open) {
    errorbox(outputerrortext(OutputStatus::open_failed, name));
  } else if (status != DataFileStatus::ok) {
    errorbox(cp("Błąd odczytu danych"));
  }
}

}  // namespace tsd
