// Symbolic ids of the resource-compiler test script.
#pragma once
#ifndef TEST_IDS_H
#define TEST_IDS_H

#define IDM_MAIN 100
#define IDA_MAIN 101
#define IDD_FIELDS 102
#define IDR_WORDS 103
#define IDR_TEXT 104
#define IDB_STRIPE 105
#define IDI_APP 106

#define CM_OPEN 40001
#define CM_SAVE 40002
#define CM_EXIT 40003
#define CM_GRID (CM_OPEN + 10)  /* an expression */
#define CM_DEEP 40020

#define IDC_NAME 1001
#define IDC_MODE_A 1002
#define IDC_MODE_B 1003
#define IDC_TRACK 1004

#endif
