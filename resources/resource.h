#pragma once

// The program's resource ids, one of each, by kind. Plain defines, so the resource compiler
// reads this header too.

// strings: titles of the folder browser
#define IDS_CHOOSE_FOLDER 1
#define IDS_PICK_DESTINATION 2

// accelerators
#define IDA_MAIN 101

// icons and the button bar's cursor
#define IDI_PROGRAM 102
#define IDI_SUBFOLDERS 103
#define IDC_BUTTON_HAND 112

// menus
#define IDM_MAIN_MENU 104
#define IDM_POPUP_MENU 105

// dialog templates
#define IDD_BACKUP_OPTIONS 106
#define IDD_EDIT_FOLDER 107
#define IDD_DISK_FULL 108
#define IDD_SUBFOLDERS 109
#define IDD_PROGRESS 111

// controls; the Backup options and Edit dialogs give some numbers to a control of each
#define IDC_SUBFOLDER_LIST 1002
#define IDC_DESTINATION 1003
#define IDC_START_BACKUP 1004
#define IDC_COPY_UPDATED 1005
#define IDC_INCLUDE_SUBFOLDERS 1005
#define IDC_RECORD_FILE_NAMES 1006
#define IDC_COPY_HIDDEN 1007
#define IDC_COPY_SYSTEM 1008
#define IDC_BROWSE 1009
#define IDC_DESCRIPTION 1010
#define IDC_FOLDER_PATH 1010
#define IDC_WILDCARDS 1011
#define IDC_DRIVE_LIST 1012
#define IDC_MESSAGE_FRAME 1013
#define IDC_TEXT_FRAME 1014
#define IDC_PROGRESS_BAR 1015

// commands: menu items, popup items, buttons and accelerators share them
#define IDM_VIEW_LOG 40001
#define IDM_NEW_LIST 40002
#define IDM_OPEN_LIST 40003
#define IDM_START_BACKUP 40004
#define IDM_ADD_FOLDER 40005
#define IDM_EDIT_FOLDER 40006
#define IDM_REMOVE_FOLDER 40007
#define IDM_VIEW_FILES 40008
#define IDM_CANCEL_POPUP 40009
#define IDM_SAVE_LIST 40010
#define IDM_ABOUT 40011
#define IDM_EXIT 40012
#define IDM_SHOW_DATA_LOCATION 40013
