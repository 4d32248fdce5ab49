#include "multipeak/varnel2/varnel2_save.h"

#include <string>
#include <string_view>

#include "shell/files.h"
#include "shell/report.h"
#include "text/cp1250.h"

namespace tsd::varnel2 {

namespace {

struct SaveTexts {
  std::string_view filter;
  const char* title;
  const char* done;
};

SaveTexts savetexts(Output what) {
  switch (what) {
    case Output::paramreport:
      return {kReportFilter, "Zapis parametrów obliczeń", "Parametry obliczeń zapisane w pliku "};
    case Output::resultreport:
      return {kReportFilter, "Zapis wyników obliczeń", "Wyniki obliczeń zapisane w pliku "};
    case Output::table1: return {kTableFilter, "Zapis tabeli 1", "Tabela 1 zapisana w pliku "};
    case Output::table2: return {kTableFilter, "Zapis tabeli 2", "Tabela 2 zapisana w pliku "};
    case Output::table3: break;
  }
  return {kTableFilter, "Zapis tabeli 3", "Tabela 3 zapisana w pliku "};
}

}  // namespace

void save(State& s, Output what) {
  const SaveTexts t = savetexts(what);
  if (!choosereportfile(t.filter, s.savefile, cp(t.title))) return;
  const std::string name(s.savefile.text());
  const OutputStatus status = appendlines(name, outputlines(s, what, OutputVariant::file));
  tellsaved(status, savedtext(cp(t.done), name), name);
}

void print(const State& s, Output what) {
  tellprinted(printlines(outputlines(s, what, OutputVariant::printer)));
}

}  // namespace tsd::varnel2
