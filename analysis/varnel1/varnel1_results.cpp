#include "analysis/varnel1/varnel1_results.h"

#include <array>
#include <string>

#include "analysis/varnel1/varnel1_reports.h"
#include "resources/varnel1/varnel1_ids.h"
#include "shell/boxes.h"

namespace tsd::varnel1 {

void showresults(const State& s) {
  const std::array<ResultField, 18> fields = resultsfields(s.analysis);
  std::array<FieldText, 18> texts;
  for (std::size_t i = 0; i < fields.size(); ++i) texts[i] = {fields[i].id, fields[i].text};
  showfilled(V1_DLG_RESULTS, texts);
}

void showtable(const State& s, int table) {
  const TableInfo* info = tableinfo(table);
  if (info == nullptr) return;
  const int series = s.settings.tabseries;
  std::string text;
  tablebuf(table, series, s.analysis, text);
  const std::string label = tablelabel(series);
  const FieldText texts[] = {{info->labelfield, label}, {info->textfield, text}};
  showfilled(info->dialog, texts);
}

}  // namespace tsd::varnel1
