// The main routine that mokrin1 and mokrin2 share: start-up with the
// parameter file, the message loop and the menu commands.
#pragma once

#include "peakcurve/mokrin/mokrin_state.h"

namespace tsd::mokrin {

// Menu 30001's commands.
inline constexpr int kCmdReadData = 40042;
inline constexpr int kCmdRemoveData = 40043;
inline constexpr int kCmdParameters = 40005;
inline constexpr int kCmdPlot1 = 40011;
inline constexpr int kCmdPlot2 = 40012;
inline constexpr int kCmdGrid = 40054;
inline constexpr int kCmdShowTable1 = 40016;
inline constexpr int kCmdShowTable2 = 40017;
inline constexpr int kCmdSaveReport = 40008;
inline constexpr int kCmdSaveTable1 = 40007;
inline constexpr int kCmdSaveTable2 = 40006;
inline constexpr int kCmdWriteParams = 40009;
inline constexpr int kCmdPrintReport = 40020;
inline constexpr int kCmdPrintTable1 = 40018;
inline constexpr int kCmdPrintTable2 = 40019;
inline constexpr int kCmdAbout = 40035;
inline constexpr int kCmdEnd = 40004;

// Runs the program of the variant to its end. A missing or unusable
// parameter file ends it after an error box, with a non-zero exit code.
void mokrinmain(Variant variant);

// One menu command; false when it ends the program (the window is closed).
bool mokrincommand(MokrinState& s, int id);

}  // namespace tsd::mokrin
