#include "shell/report.h"

#include "shell/boxes.h"
#include "toolkit/window/strings.h"

namespace tsd {

namespace {

using runtime::FileStatus;
using runtime::TextFile;

constexpr std::size_t kNameField = 79;  // width of the file name in the boxes

void writelines(TextFile& f, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (f.write("(A)", {line}) != FileStatus::ok) break;
  }
}

}  // namespace

OutputStatus appendoutput(std::string_view filename, const OutputWriter& write) {
  TextFile f;
  if (f.open_append(filename) != FileStatus::ok) return OutputStatus::open_failed;
  write(f);
  return f.close() == FileStatus::ok ? OutputStatus::ok : OutputStatus::write_failed;
}

OutputStatus printoutput(const OutputWriter& write) {
  TextFile f;
  if (f.open_printer() != FileStatus::ok) return OutputStatus::printer_unavailable;
  write(f);
  return f.close() == FileStatus::ok ? OutputStatus::ok : OutputStatus::print_failed;
}

OutputStatus appendlines(std::string_view filename, const std::vector<std::string>& lines) {
  return appendoutput(filename, [&lines](TextFile& f) { writelines(f, lines); });
}

OutputStatus printlines(const std::vector<std::string>& lines) {
  return printoutput([&lines](TextFile& f) { writelines(f, lines); });
}

std::string outputerrortext(OutputStatus status, std::string_view filename) {
  switch (status) {
    case OutputStatus::ok:
      return "";
    case OutputStatus::open_failed:
      return cp("Nie można otworzyć pliku ") + std::string(trimmed(filename));
    case OutputStatus::write_failed:
      return cp("Błąd zapisu w pliku ") + std::string(trimmed(filename));
    case OutputStatus::printer_unavailable:
      return cp("Drukarka niedostępna");
    case OutputStatus::print_failed:
      return cp("Błąd wydruku");
  }
  return "";
}

std::string savedtext(std::string_view prefix, std::string_view filename) {
  const std::string_view name = trimmed(filename);
  std::string text(prefix);
  text.append(name);
  if (name.size() < kNameField) text.append(kNameField - name.size(), ' ');
  return text;
}

void tellsaved(OutputStatus status, std::string_view info, std::string_view filename) {
  if (status == OutputStatus::ok) {
    infobox(info);
  } else {
    errorbox(outputerrortext(status, filename));
  }
}

void tellprinted(OutputStatus status) {
  if (status != OutputStatus::ok) errorbox(outputerrortext(status, ""));
}

}  // namespace tsd
