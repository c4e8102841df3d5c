#pragma once
// Identifiers of the program's resources, by kind. The framework's standard
// commands and texts are in framework/FrameworkIds.h, the grid control's
// editor, commands and cursors in grid/GridResource.h.
#include "grid/GridResource.h"

// The document template: menu, accelerators, icon and document-type string.
#define IDR_MAINFRAME               2

// Program commands.
#define ID_EDIT_GRAPH_DATA          32769
#define ID_EDIT_GRAPH_OPTIONS       32770
#define ID_FILE_SIZE_GRAPH          32772
#define ID_EDIT_TREND_LINE          32773
#define ID_EDIT_TREND_EQUATION      32774
#define ID_FILE_NEW_DATA            32775

// Dialogs and their controls.
#define IDD_ABOUTBOX                108
#define IDC_LOGO_PLACEHOLDER        135

// Bitmaps, loaded by name.
#define IDB_LOGO_NAME               "LOGO"

// Message texts.
#define IDS_UNABLE_TO_SCALE         3
#define IDS_X_MAX_NOT_GREATER       32771
#define IDS_Y_MAX_NOT_GREATER       32776
#define IDS_NOT_PLOTRA_FILE         57345
#define IDS_NOT_ENOUGH_DATA         57346
#define IDS_NO_MEMORY_FOR_GRAPH     57347
#define IDS_CLIPBOARD_ERROR         57350
#define IDS_LARGE_FILE              57354
#define IDS_TWO_BLANK_LINES         57358
#define IDS_NO_PLOT                 57359
#define IDS_Y_DATA_OUTSIDE          57360
#define IDS_X_DATA_OUTSIDE          57361

// The Data to Graph dialog.
#define IDD_GRAPH_DATA              101
#define IDC_GRID_CONTROL            123
#define IDC_DATA_OPTIONS            3

// The Graph Options dialog: fields, lists, boxes and their labels.
#define IDD_GRAPH_OPTIONS           102
#define IDC_OPT_TITLE_LABEL         103
#define IDC_OPT_TITLE               104
#define IDC_OPT_X_LABEL_LABEL       105
#define IDC_OPT_X_LABEL             106
#define IDC_OPT_Y_LABEL_LABEL       107
#define IDC_OPT_Y_LABEL             108
#define IDC_OPT_X_INC_LABEL         109
#define IDC_OPT_X_INCREMENTS        110
#define IDC_OPT_Y_INC_LABEL         111
#define IDC_OPT_Y_INCREMENTS        112
#define IDC_OPT_POINT_TYPE_LABEL    113
#define IDC_OPT_POINT_TYPE          114
#define IDC_OPT_LINE_TYPE_LABEL     121
#define IDC_OPT_LINE_TYPE           122
#define IDC_OPT_GRID                123
#define IDC_OPT_POINT_SIZE_LABEL    124
#define IDC_OPT_POINT_SIZE          125
#define IDC_OPT_LINE_SIZE           126
#define IDC_OPT_LINE_SIZE_LABEL     127
#define IDC_OPT_USE_Y_SCALE         131
#define IDC_OPT_Y_MIN               132
#define IDC_OPT_Y_MAX               133
#define IDC_OPT_Y_MIN_LABEL         134
#define IDC_OPT_Y_MAX_LABEL         135
#define IDC_OPT_USE_X_SCALE         136
#define IDC_OPT_X_MIN               137
#define IDC_OPT_X_MAX               138
#define IDC_OPT_X_MIN_LABEL         139
#define IDC_OPT_X_MAX_LABEL         140

// Dialogs of the view.
#define IDD_PRINT_SIZE              104
#define IDC_HEIGHT_LABEL            124
#define IDC_WIDTH_LABEL             125
#define IDC_WIDTH_LIST              126
#define IDC_HEIGHT_LIST             127

// Window messages of the program's own.
// UWM_SCALE_ERROR: posted to the view by a drawing that could not scale the
// graph, so the message is shown after the paint, not inside it. WPARAM and
// LPARAM are 0.
#define UWM_SCALE_ERROR             (0x8000 + 1)
