// The two message boxes of the curve programs: the error box "Błąd" and the
// information box "Informacja", OK only; their result is never read.
#pragma once

#include <string_view>

namespace tsd::mokrin {

void errorbox(std::string_view text);
void infobox(std::string_view text);

}  // namespace tsd::mokrin
