// The message boxes and the modal dialog of every program. Texts are code
// page 1250; a box's lines are broken by kBoxLineBreak.
#pragma once

#include <string>
#include <string_view>

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

// Shows the selected dialog modal, centred, its first field focused.
void showmodal();

}  // namespace tsd
