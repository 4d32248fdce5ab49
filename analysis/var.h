// The record of experiment constants read by the model routines: the
// temperature at the start of heating and the heating rate. Every program
// fills it from its measured data file header or its parameter input before
// the first model evaluation.
#pragma once

namespace tsd {

struct VarRecord {
  double T0 = 0.0;  // initial temperature [K]
  double b = 0.0;   // heating rate [K/s]
};

extern VarRecord var;

}  // namespace tsd
