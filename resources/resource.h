// Resource and command ids of the user interface.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif

// Strings
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109
#define IDS_CSV_FILTER 300

// Icons
#define IDI_VORNEL 107
#define IDI_SMALL 108
#define IDI_ABOUT 128

// Menu and accelerators
#define IDC_VORNEL 109

// Dialogs
#define IDD_ABOUTBOX 103
#define IDD_PARAMETERS 112
#define IDD_RESULTS 114
#define IDD_SENSITIVITY 116
#define IDD_BATCH_PROGRESS 117
#define IDD_BATCH_RESULT 118
#define IDC_ABOUT_TEXT 1000
#define IDC_ABOUT_VERSION 1001

// Main window commands
#define IDC_SET_POINT 30
#define IDC_SOURCE_FIRST 40   // 40 ... 43: overview source check boxes
#define IDC_KIND_FIRST 50     // 50 ... 53: point-kind radio buttons
#define IDC_READOUT_LAT 10
#define IDC_READOUT_LON 11
#define IDC_READOUT_DEPTH 12
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_ZOOM_IN 120
#define IDM_ZOOM_OUT 121
#define IDM_PAN_LEFT 122
#define IDM_PAN_RIGHT 123
#define IDM_PAN_UP 124
#define IDM_PAN_DOWN 125
#define IDM_HOME 126
#define IDM_CENTRE 127
#define IDM_OVERVIEW 130
#define IDM_PRINT_MAIN 140
#define IDM_PRINT_PARAMS 141
#define IDM_PRINT_RESULTS 142
#define IDM_HARBOUR_FIRST 300
#define IDM_CHART50K_FIRST 600
#define IDM_CHART200K_FIRST 900
#define IDM_M7000_FIRST 1200
#define IDM_UNDO 1498
#define IDM_CLOSE_DIALOG 1499
#define IDM_M7000_FOLDER 1600
#define IDM_REOPEN_CASE 1610
#define IDM_USER_GUIDE 1620
#define IDM_BATCH 1630
// The result dialog's sensitivity button and its line of validity notes.
#define IDC_SENSITIVITY 1810
#define IDC_VALIDITY_NOTES 1811
#define IDM_SET_KIND_FIRST 1700  // 1700 + k: set point kind k from the map pick
#define IDM_CLEAR_INPUT 1750
#define IDM_PLACEHOLDER 65535
