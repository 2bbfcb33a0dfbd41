#pragma once

// Backup options, progress, disk-full and edit folder dialogs (templates 106 to 108 and 111,
// controls 1003 to 1015). The two dialogs of 107 and 106 share control numbers by design.
#define IDD_BACKUP_OPTIONS 106
#define IDD_EDIT_FOLDER 107
#define IDD_DISK_FULL 108
#define IDD_PROGRESS 111
#define IDS_PICK_DESTINATION 2
#define IDI_SUBFOLDER_ENTRY 103
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
