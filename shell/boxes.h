// The message boxes and the modal dialog of every program. Texts are code
// page 1250; a box's lines are broken by kBoxLineBreak.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/cp1250.h"  // cp(), the programs' Polish literals

namespace tsd {

// The line break inside a box text the programs compose themselves.
inline constexpr std::string_view kBoxLineBreak = "\r";

// An error box (title "Błąd", exclamation icon) and an information box
// (title "Informacja" unless another is given, information icon), OK only;
// their answer is never read.
void errorbox(std::string_view text);
void infobox(std::string_view text);
void infobox(std::string_view text, std::string_view title);

// One error box for each text, in order.
void errorboxes(const std::vector<std::string>& texts);

// Shows the selected dialog modal, centred, its first field focused.
void showmodal();

// A text for one field of a dialog that only shows results.
struct FieldText {
  int field = 0;
  std::string_view text;
};

// Loads `dialog`, puts each text into its field, shows it modal and unloads
// it once the user closes it: the results and table dialogs.
void showfilled(int dialog, std::span<const FieldText> texts);

}  // namespace tsd
