// The class library's own identifiers for frames, bars, documents and views: the
// window ids of bars and panes, the standard commands, its private messages and
// the ids of its strings and prompts. Window and command ids have the library's
// values, so resources that name them by number (menus, toolbars, status-bar
// indicators) agree; the string ids only stay clear of the program's.
#pragma once

#include "platform/base/WinTypes.h"

// ---- window ids of the parts of a frame
#define AFX_IDW_TOOLBAR 0xE800          // the main toolbar (59392)
#define AFX_IDW_STATUS_BAR 0xE801       // the status bar (59393)
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_RESIZE_BAR 0xE803
#define AFX_IDW_REBAR 0xE804
#define AFX_IDW_DIALOGBAR 0xE805
#define AFX_IDW_DOCKBAR_TOP 0xE81B      // 59419
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E   // 59422
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_PANE_FIRST 0xE900       // the view
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_SIZE_BOX 0xEA20
#define AFX_IDW_PANE_SAVE 0xEA21

// ---- standard commands
#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif
#define ID_FILE_NEW 0xE100              // 57600
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FIRST 0xE110        // 57616
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_LAST 0xE11F
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C
#define ID_WINDOW_NEW 0xE130            // 57648
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_APP_ABOUT 0xE140             // 57664
#define ID_APP_EXIT 0xE141
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP 0xE146
#define ID_CONTEXT_HELP 0xE145
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_VIEW_TOOLBAR 0xE800          // 59392
#define ID_VIEW_STATUS_BAR 0xE801       // 59393
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701        // 59137
#define ID_INDICATOR_NUM 0xE702         // 59138
#define ID_INDICATOR_SCRL 0xE703        // 59139
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

// ---- the library's strings and prompts (string table ids)
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001      // "Ready"
#define AFX_IDS_OPENFILE 0xF000         // "Open"
#define AFX_IDS_SAVEFILE 0xF001         // "Save As"
#define AFX_IDS_ALLFILTER 0xF002        // "All Files (*.*)"
#define AFX_IDS_UNTITLED 0xF003         // "Untitled"
#define AFX_IDP_ASK_TO_SAVE 0xF10A      // "Save changes to %1?"
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF10B
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF10C
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF10D

// ---- the library's private messages
#ifndef WM_SIZEPARENT
#define WM_SIZEPARENT 0x0361            // lParam: AFX_SIZEPARENTPARAMS*
#endif
#ifndef WM_SETMESSAGESTRING
#define WM_SETMESSAGESTRING 0x0362      // wParam: string id, or lParam: text
#endif
#ifndef WM_INITIALUPDATE
#define WM_INITIALUPDATE 0x0364         // sent to the views of a new frame
#endif

// ---- multiple-document interface messages
#ifndef WM_MDICREATE
#define WM_MDICREATE 0x0220
#endif
#ifndef WM_MDIDESTROY
#define WM_MDIDESTROY 0x0221
#endif
#ifndef WM_MDIACTIVATE
#define WM_MDIACTIVATE 0x0222           // to a child: wParam the one deactivated, lParam the one activated
#endif
#ifndef WM_MDIRESTORE
#define WM_MDIRESTORE 0x0223
#endif
#ifndef WM_MDINEXT
#define WM_MDINEXT 0x0224
#endif
#ifndef WM_MDIMAXIMIZE
#define WM_MDIMAXIMIZE 0x0225
#endif
#ifndef WM_MDITILE
#define WM_MDITILE 0x0226
#endif
#ifndef WM_MDICASCADE
#define WM_MDICASCADE 0x0227
#endif
#ifndef WM_MDIICONARRANGE
#define WM_MDIICONARRANGE 0x0228
#endif
#ifndef WM_MDIGETACTIVE
#define WM_MDIGETACTIVE 0x0229          // lParam: BOOL* set when the active child is maximized
#endif
#ifndef WM_MDISETMENU
#define WM_MDISETMENU 0x0230
#endif
#ifndef WM_MDIREFRESHMENU
#define WM_MDIREFRESHMENU 0x0234
#endif
#ifndef MDITILE_VERTICAL
#define MDITILE_VERTICAL 0x0000
#endif
#ifndef MDITILE_HORIZONTAL
#define MDITILE_HORIZONTAL 0x0001
#endif
#ifndef MDITILE_SKIPDISABLED
#define MDITILE_SKIPDISABLED 0x0002
#endif

// ---- frame styles (the low word of a frame's window style)
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// WM_SIZEPARENT: every bar takes its part of `rect`; `hDWP` null means the layout
// is only being measured (`sizeTotal` collects the bars' extents).
struct AFX_SIZEPARENTPARAMS {
    void* hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};
