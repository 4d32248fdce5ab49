// Resource ids of mokrin1 and mokrin2: the menu bar they share, its
// commands and popups, and the dialogs. Read by the resource compiler
// (shared.rc, mokrin1.rc, mokrin2.rc) and by the C++ code of the programs
// and their tests, so that one name leads to every use.
#pragma once
#ifndef MOKRIN_IDS_H
#define MOKRIN_IDS_H

#define MK_MENU 30001

// Menu commands.
#define MK_CM_READ_DATA 40042
#define MK_CM_REMOVE_DATA 40043
#define MK_CM_PARAMETERS 40005
#define MK_CM_PLOT1 40011
#define MK_CM_PLOT2 40012
#define MK_CM_GRID 40054
#define MK_CM_TABLE1 40016
#define MK_CM_TABLE2 40017
#define MK_CM_SAVE_REPORT 40008
#define MK_CM_SAVE_TABLE1 40007
#define MK_CM_SAVE_TABLE2 40006
#define MK_CM_SAVE_PARAMFILE 40009
#define MK_CM_PRINT_REPORT 40020
#define MK_CM_PRINT_TABLE1 40018
#define MK_CM_PRINT_TABLE2 40019
#define MK_CM_ABOUT 40035
#define MK_CM_END 40004

// Popups, placed on the menu bar by the menu's companion record.
#define MK_POPUP_DATA 40001
#define MK_POPUP_GRAPHS 40010
#define MK_POPUP_TABLES 40015
#define MK_POPUP_SAVE 40002
#define MK_POPUP_PRINT 40003

// Dialogs: the parameters (each program's own) and the two tables.
#define MK_DLG_PARAMETERS 101
#define MK_DLG_TABLE1 102
#define MK_DLG_TABLE2 103

#endif
