#include "runtime/reportlines.h"

#include "text/letters.h"

namespace tsd::runtime {

void ReportLines::add(std::string_view format, std::span<const FormatItem> items) {
  format_text(format, items, records_);
  std::size_t start = 0;
  while (start < records_.size()) {
    const std::size_t end = records_.find('\n', start);
    const std::string_view record =
        std::string_view(records_).substr(start, end == std::string::npos ? std::string::npos : end - start);
    lines_.push_back(printed() ? text::plainletters(record) : std::string(record));
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

}  // namespace tsd::runtime
