// Resource ids of varnel1: its menu bar, the menu commands and popups, and
// the dialogs. Read by the resource compiler (varnel1.rc) and by the C++
// code of the program and its tests, so that one name leads to every use.
#pragma once
#ifndef VARNEL1_IDS_H
#define VARNEL1_IDS_H

#define V1_MENU 30001

// Menu commands.
#define V1_CM_DATA 40001
#define V1_CM_RANGES 40053
#define V1_CM_METHODS 40025
#define V1_CM_OUTPUT_RANGE 40075
#define V1_CM_SERIES 40076
#define V1_CM_GRAPH1 40011
#define V1_CM_GRAPH2 40012
#define V1_CM_GRAPH3 40013
#define V1_CM_GRID 40077
#define V1_CM_RESULTS 40031
#define V1_CM_TABLE1 40016
#define V1_CM_TABLE2 40017
#define V1_CM_TABLE3 40032
#define V1_CM_TABLE4 40033
#define V1_CM_SAVE_PARAMETERS 40008
#define V1_CM_SAVE_RESULTS 40034
#define V1_CM_SAVE_TABLE1 40007
#define V1_CM_SAVE_TABLE2 40006
#define V1_CM_SAVE_TABLE3 40047
#define V1_CM_SAVE_TABLE4 40021
#define V1_CM_SAVE_PARAMFILE 40009
#define V1_CM_PRINT_PARAMETERS 40020
#define V1_CM_PRINT_RESULTS 40022
#define V1_CM_PRINT_TABLE1 40018
#define V1_CM_PRINT_TABLE2 40019
#define V1_CM_PRINT_TABLE3 40048
#define V1_CM_PRINT_TABLE4 40024
#define V1_CM_ABOUT 40035
#define V1_CM_END 40004

// Popups, greyed until data are read; the menu's companion record places
// them on the menu bar.
#define V1_POPUP_PARAMETERS 40005
#define V1_POPUP_GRAPHS 40010
#define V1_POPUP_TABLES 40015
#define V1_POPUP_SAVE 40002
#define V1_POPUP_PRINT 40003

// Dialogs: the four kept loaded, the results and the four tables.
#define V1_DLG_RANGES 104
#define V1_DLG_METHODS 107
#define V1_DLG_OUTPUT_RANGE 105
#define V1_DLG_SERIES 106
#define V1_DLG_RESULTS 109
#define V1_DLG_TABLE1 101
#define V1_DLG_TABLE2 111
#define V1_DLG_TABLE3 102
#define V1_DLG_TABLE4 103

#endif
