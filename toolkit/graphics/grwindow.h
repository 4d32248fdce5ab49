// The window layer's error store and option test, as the graphics layer
// calls them. They belong to the window layer's error-store and string
// modules; this header only declares the two routines the graphics layer
// uses, so that the layer builds on its own.
#pragma once

#include <string_view>

namespace tsd {

// Records an error code in the error store (a later one overwrites it).
void xxerror(int code);
// True when letter occurs in text, as passed or in lower case.
bool xxopt(std::string_view text, char letter);

}  // namespace tsd
