// Every resource, command and control identifier of the program.
#pragma once

// Strings
#define IDS_APP_TITLE 103
#define IDS_WINDOW_CLASS 109

// Icons
#define IDI_MAIN_ICON 107
#define IDI_SMALL_ICON 108
#define IDI_TRAY_ICON 2210

// Menus and accelerators
#define IDR_MAIN_MENU 109
#define IDR_ACCELERATORS 109
#define IDR_TRAY_MENU 10201

// Bitmaps
#define IDB_TOOLBAR 37682

// Dialogs
#define IDD_ABOUT 1033
#define IDD_OPTIONS 37818

// Commands of menu 109 and accelerator table 109
#define IDM_ABOUT_KEY 104
#define IDM_EXIT 105
#define IDM_NEW 155
#define IDM_OPEN 156
#define IDM_PRINT 157
#define IDM_PRINT_PREVIEW 158
#define IDM_CUT 159
#define IDM_COPY 160
#define IDM_PASTE 161
#define IDM_CHANGE_LOCALE 162
#define IDM_ALWAYS_ON_TOP 164
#define IDM_OPTIONS 165
#define IDM_HELP_SEARCH 166
#define IDM_HELP_CONTENTS 167
#define IDM_CHECK_UPDATES 169
#define IDM_TECHNICAL_SUPPORT 170
#define IDM_ABOUT 171

// Commands of menu 10201
#define IDM_TRAY_SHOW 224
#define IDM_TRAY_EXIT 225

// Toolbar buttons
#define IDT_NEW_ARTICLE 10501
#define IDT_ADD_LANGUAGE 10502
#define IDT_SAVE 10503
#define IDT_PRINT 10504
#define IDT_CUT 10505
#define IDT_COPY 10506
#define IDT_PASTE 10507
#define IDT_HELP 10508

// Main window controls; each panel control adds its direction, 0 or 1
#define IDC_TAB_CONTROL 23
#define IDC_WORD_LIST 1030
#define IDC_PRONOUNCE 1040
#define IDC_ARTICLE_VIEW 1050
#define IDC_SEARCH_BOX 1221
#define IDC_TOOLBAR 1020555

// Options dialog controls
#define IDC_DIRECTION_LIST 420
#define IDC_LOAD_ON_START 421
#define IDC_ALWAYS_ON_TOP 422
#define IDC_SAVE_OPTIONS 423

// About box controls
#define IDC_SYSTEM_INFO 554
#define IDC_VERSION_LINE 1437
#define IDC_PRODUCT_DESCRIPTION 35486

// Notification area and hotkey
#define TRAY_ICON_ID 123
#define TRAY_CALLBACK_MESSAGE 3345
#define CAPTURE_HOTKEY_ID 1
