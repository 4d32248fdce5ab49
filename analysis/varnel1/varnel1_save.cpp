#include "analysis/varnel1/varnel1_save.h"

#include "runtime/textfile.h"
#include "text/cp1250.h"

namespace tsd {

namespace {

using runtime::FileStatus;
using runtime::TextFile;

constexpr size_t kNameField = 79;  // width of the file name in the boxes

std::string cp(std::string_view utf8) { return text::cp1250_from_utf8(utf8); }

int table_number(Report r) {
  switch (r) {
    case Report::table1:
      return 1;
    case Report::table2:
      return 2;
    case Report::table3:
      return 3;
    case Report::table4:
      return 4;
    default:
      return 0;
  }
}

std::string_view trimmed(std::string_view name) {
  const size_t used = name.find_last_not_of(' ');
  return used == std::string_view::npos ? std::string_view() : name.substr(0, used + 1);
}

// Writes every line, then closes; the first failure is the result.
OutputStatus write_all(TextFile& f, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (f.write("(A)", {line}) != FileStatus::ok) break;
  }
  return f.close() == FileStatus::ok ? OutputStatus::ok : OutputStatus::write_failed;
}

}  // namespace

std::vector<std::string> reportlines(Report report, OutputVariant variant,
                                     const AnalysisState& state, const Varnel1Settings& settings,
                                     std::string_view datafile) {
  switch (report) {
    case Report::parameters:
      return parameterreport(state, datafile, variant);
    case Report::results:
      return resultsreport(state, variant);
    default:
      return tablefile(table_number(report), settings.tabseries, state);
  }
}

SaveDialogText savedialogtext(Report report) {
  const std::string texts = "Plik tekstowy (*.txt)|*.txt|Plik danych (*.dat)|*.dat|";
  const std::string data = "Plik danych (*.dat)|*.dat|Plik tekstowy (*.txt)|*.txt|";
  switch (report) {
    case Report::parameters:
      return {texts, cp("Zapis parametrów obliczeń"), cp("Parametry obliczeń zapisane w pliku ")};
    case Report::results:
      return {texts, cp("Zapis wyników obliczeń"), cp("Wyniki obliczeń zapisane w pliku ")};
    default: {
      const std::string n = std::to_string(table_number(report));
      return {data, "Zapis tabeli " + n, "Tabela " + n + " zapisana w pliku "};
    }
  }
}

std::string saveinfotext(Report report, std::string_view filename) {
  std::string text = savedialogtext(report).prefix;
  text.append(filename);
  if (filename.size() < kNameField) text.append(kNameField - filename.size(), ' ');
  return text;
}

OutputStatus appendlines(std::string_view filename, const std::vector<std::string>& lines) {
  TextFile f;
  if (f.open_append(filename) != FileStatus::ok) return OutputStatus::open_failed;
  return write_all(f, lines);
}

OutputStatus printlines(const std::vector<std::string>& lines) {
  TextFile f;
  if (f.open_printer() != FileStatus::ok) return OutputStatus::printer_unavailable;
  for (const std::string& line : lines) {
    if (f.write("(A)", {line}) != FileStatus::ok) break;
  }
  return f.close() == FileStatus::ok ? OutputStatus::ok : OutputStatus::print_failed;
}

OutputStatus savereport(Report report, std::string_view filename, const AnalysisState& state,
                        const Varnel1Settings& settings, std::string_view datafile) {
  return appendlines(filename, reportlines(report, OutputVariant::file, state, settings, datafile));
}

OutputStatus printreport(Report report, const AnalysisState& state, const Varnel1Settings& settings,
                         std::string_view datafile) {
  return printlines(reportlines(report, OutputVariant::printer, state, settings, datafile));
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

}  // namespace tsd
