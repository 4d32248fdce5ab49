// Dialog 101 "Parametry" of the curve programs without its window: the
// texts put into its fields, the reading of the texts typed back with every
// error message in order, and the taking over of a valid input. Texts are
// code page 1250.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "peakcurve/mokrin/mokrin_state.h"
#include "shell/checks.h"

namespace tsd::mokrin {

// A field of dialog 101 and the text put into it. Unlike the shell's
// FieldText, which points at a text kept elsewhere, it holds the text it
// was formatted into.
struct FilledField {
  int field;
  std::string text;
};

// The fields in the order they are filled, each with its formatted value:
// b "(1P,E11.4)", T0 "(F8.3)", Ea "(F9.6)", Tm "(F8.3)" and Jm "(1P,E11.4)"
// (mokrin2), tau0 and P0 "(1P,E11.4)", Tmin and Tmax "(F8.3)", Nout "(I4)".
std::vector<FilledField> dialogfill(const State& s);
// Fields 1002 (b) and 1010 (T0) alone, refreshed after a data load.
std::vector<FilledField> dialogfillbt0(const State& s);

// Reads every field (getfield gives the whole text of a field id) into
// s.pending, in field order, then makes the four checks against the T0 in
// force, and refuses every value for which the model has no finite curve:
// b, Ea, and tau0 (mokrin1) or Tm (mokrin2) not above 0 ("Wartość b <= 0").
// Returns the texts of the error boxes in the order they are shown; empty
// when the input is valid.
CheckMessages dialogread(State& s, const std::function<std::string(int)>& getfield);

// Takes s.pending over: b and T0 into `var`, the peak, mokrin2's derived
// tau0 and P0, the grid; then computes the model curves and the measured
// index range. False (nothing changed) only when the curve core refuses a
// value, which the checks of dialogread exclude.
bool dialogcommit(State& s);

}  // namespace tsd::mokrin
