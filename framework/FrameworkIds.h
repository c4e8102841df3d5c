#pragma once
// Identifiers the framework defines: its standard commands, window ids and the
// texts of its own string table (framework.rc).

// Standard commands.
#define ID_FILE_NEW            57600
#define ID_FILE_OPEN           57601
#define ID_FILE_SAVE           57603
#define ID_FILE_SAVE_AS        57604
#define ID_FILE_PRINT_SETUP    57606
#define ID_FILE_PRINT          57607
#define ID_FILE_PRINT_PREVIEW  57609
#define ID_FILE_MRU_FILE1      57616
#define ID_FILE_MRU_FILE4      57619
#define ID_EDIT_COPY           57634
#define ID_EDIT_PASTE          57637
#define ID_APP_ABOUT           57664
#define ID_APP_EXIT            57665
#define ID_HELP_FINDER         57667
#define ID_HELP_USING          57668
#define ID_HELP                57670
#define ID_DEFAULT_HELP        57671
#define ID_NEXT_PANE           57680
#define ID_PREV_PANE           57681

// The application title: the main window's caption and every message box's.
#define AFX_IDS_APP_TITLE      57344

// Child window id of the view inside its frame, and of the print preview
// window that takes its place while it is shown.
#define AFX_IDW_PANE_FIRST     0xE900
#define AFX_IDW_PREVIEW        0xE901

// Buttons of the print preview.
#define AFX_ID_PREVIEW_CLOSE   0xE300
#define AFX_ID_PREVIEW_NEXT    0xE301
#define AFX_ID_PREVIEW_PREV    0xE302
#define AFX_ID_PREVIEW_PRINT   0xE303

// Help contexts: a window's help topic is its resource id plus this base.
#define AFX_HID_BASE_RESOURCE  0x20000

// The framework's own messages.
#define AFX_IDP_ASK_TO_SAVE        61440
#define AFX_IDP_FILE_GENERIC       61441
#define AFX_IDP_FILE_NOT_FOUND     61442
#define AFX_IDP_FILE_BAD_PATH      61443
#define AFX_IDP_FILE_ACCESS_DENIED 61444
#define AFX_IDP_FILE_SHARING       61445
#define AFX_IDP_FILE_DISK_FULL     61446
#define AFX_IDP_FILE_SAVE_FAILED   61447
#define AFX_IDP_OUT_OF_MEMORY      61448
#define AFX_IDP_INTERNAL_FAILURE   61449
#define AFX_IDS_RECENT_FILE        61450
#define AFX_IDS_ALL_FILES          61451
#define AFX_IDP_NO_PRINTER         61452
#define AFX_IDP_PRINT_FAILED       61453
#define AFX_IDS_PREVIEW_PRINT      61454
#define AFX_IDS_PREVIEW_NEXT       61455
#define AFX_IDS_PREVIEW_PREV       61456
#define AFX_IDS_PREVIEW_CLOSE      61457
#define AFX_IDP_PARSE_STRING_SIZE  61458
