// The lines of a report or table, made by formatted writes, for a file or
// for the printer. The programs write every text of a report once, as the
// file has it (code page 1250, Polish letters); the printer's lines are the
// same with the Polish letters replaced by plain ones (text/letters.h), the
// names of files they hold included, so a printer without the code page
// prints every line.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/format.h"

namespace tsd::runtime {

// Where a report or table goes.
enum class OutputVariant { file, printer };

class ReportLines {
 public:
  explicit ReportLines(OutputVariant variant = OutputVariant::file) : variant_(variant) {}

  OutputVariant variant() const { return variant_; }
  bool printed() const { return variant_ == OutputVariant::printer; }

  // The records of one formatted write, one line each (without its line
  // end; "(/,A)" opens with an empty line).
  void add(std::string_view format, std::span<const FormatItem> items);
  void add(std::string_view format, std::initializer_list<FormatItem> items) {
    add(format, std::span<const FormatItem>(items.begin(), items.size()));
  }

  const std::vector<std::string>& lines() const { return lines_; }
  std::vector<std::string> take() { return std::move(lines_); }

 private:
  OutputVariant variant_;
  std::string records_;
  std::vector<std::string> lines_;
};

}  // namespace tsd::runtime
