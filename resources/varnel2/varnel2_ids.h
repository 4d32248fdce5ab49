// Resource ids of varnel2: its menu bar, the menu commands and popups, and
// the dialogs. Read by the resource compiler (varnel2.rc) and by the C++
// code of the program and its tests, so that one name leads to every use.
#pragma once
#ifndef VARNEL2_IDS_H
#define VARNEL2_IDS_H

#define V2_MENU 30001

// Menu commands.
#define V2_CM_DATA 40001
#define V2_CM_PEAKS 40201
#define V2_CM_COPY_FITTED 40205
#define V2_CM_FIT_RANGE 40203
#define V2_CM_FIT_SETTINGS 40202
#define V2_CM_FIT 40199
#define V2_CM_DISPLAY_RANGE 40200
#define V2_CM_GRID 40077
#define V2_CM_RESULTS 40031
#define V2_CM_TABLE1 40016
#define V2_CM_TABLE2 40017
#define V2_CM_TABLE3 40032
#define V2_CM_SAVE_PARAMETERS 40008
#define V2_CM_SAVE_RESULTS 40034
#define V2_CM_SAVE_TABLE1 40007
#define V2_CM_SAVE_TABLE2 40006
#define V2_CM_SAVE_TABLE3 40047
#define V2_CM_SAVE_PARAMFILE 40009
#define V2_CM_PRINT_PARAMETERS 40020
#define V2_CM_PRINT_RESULTS 40022
#define V2_CM_PRINT_TABLE1 40018
#define V2_CM_PRINT_TABLE2 40019
#define V2_CM_PRINT_TABLE3 40048
#define V2_CM_ABOUT 40035
#define V2_CM_END 40004

// Popups, greyed until data are read or a fit is done; the menu's
// companion record places them on the menu bar.
#define V2_POPUP_PARAMETERS 40005
#define V2_POPUP_GRAPH 40204
#define V2_POPUP_TABLES 40015
#define V2_POPUP_SAVE 40002
#define V2_POPUP_PRINT 40003

// Dialogs.
#define V2_DLG_PEAKS 107
#define V2_DLG_FIT_RANGE 104
#define V2_DLG_DISPLAY_RANGE 105
#define V2_DLG_FIT_SETTINGS 106
#define V2_DLG_FITTING 108
#define V2_DLG_RESULTS 109
#define V2_DLG_TABLE1 112
#define V2_DLG_TABLE2 101
#define V2_DLG_TABLE3_1 111
#define V2_DLG_TABLE3_2 110
#define V2_DLG_TABLE3_3 102
#define V2_DLG_TABLE3_4 103

#endif
