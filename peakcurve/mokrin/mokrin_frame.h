// The main routine that mokrin1 and mokrin2 share: start-up with the
// parameter file, the message loop and the menu commands.
#pragma once

#include "peakcurve/mokrin/mokrin_state.h"
#include "resources/mokrin/mokrin_ids.h"

namespace tsd::mokrin {

// Menu 30001's commands.
inline constexpr int kCmdReadData = MK_CM_READ_DATA;
inline constexpr int kCmdRemoveData = MK_CM_REMOVE_DATA;
inline constexpr int kCmdParameters = MK_CM_PARAMETERS;
inline constexpr int kCmdPlot1 = MK_CM_PLOT1;
inline constexpr int kCmdPlot2 = MK_CM_PLOT2;
inline constexpr int kCmdGrid = MK_CM_GRID;
inline constexpr int kCmdShowTable1 = MK_CM_TABLE1;
inline constexpr int kCmdShowTable2 = MK_CM_TABLE2;
inline constexpr int kCmdSaveReport = MK_CM_SAVE_REPORT;
inline constexpr int kCmdSaveTable1 = MK_CM_SAVE_TABLE1;
inline constexpr int kCmdSaveTable2 = MK_CM_SAVE_TABLE2;
inline constexpr int kCmdWriteParams = MK_CM_SAVE_PARAMFILE;
inline constexpr int kCmdPrintReport = MK_CM_PRINT_REPORT;
inline constexpr int kCmdPrintTable1 = MK_CM_PRINT_TABLE1;
inline constexpr int kCmdPrintTable2 = MK_CM_PRINT_TABLE2;
inline constexpr int kCmdAbout = MK_CM_ABOUT;
inline constexpr int kCmdEnd = MK_CM_END;

// Runs the program of the variant to its end. A missing or unusable
// parameter file ends it after an error box, with a non-zero exit code.
void mokrinmain(Variant variant);

// One menu command; false when it ends the program (the window is closed).
bool mokrincommand(MokrinState& s, int id);

}  // namespace tsd::mokrin
