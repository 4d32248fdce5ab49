// The checks every program's dialogs make of what the user typed, without
// any window: each failed check adds the text of one "Błąd" box, in the
// order the boxes are shown. Texts are code page 1250.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tsd {

// The texts of the boxes a dialog's checks call for, in order.
using CheckMessages = std::vector<std::string>;

// "Błąd odczytu wartości <name>": a field that holds no number.
std::string readfailedtext(std::string_view name);

// "Wartość <a> <relation> od wartości <b>", e.g. "Wartość Tmin >= od wartości Tmax".
std::string comparedtext(std::string_view a, std::string_view relation, std::string_view b);

// The output range every program plots on: "Wartość Tmin >= od wartości
// Tmax" when tmin >= tmax, then "Wartość Tmin <= od wartości T0" when tmin
// <= t0.
void checkoutputrange(double tmin, double tmax, double t0, CheckMessages& messages);

// A count of output points (named `name`, e.g. "Nout"): "Wartość <name> < od
// 2" below 2, "Wartość <name> > od <most>" above `most`.
void checkpointcount(std::string_view name, int count, int most, CheckMessages& messages);

}  // namespace tsd
