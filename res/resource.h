// Resource ids of the setup program (shared by the C++ sources and the .rc files).
#pragma once

#define IDR_LICENSE_TEXT 100
#define IDR_MANIFEST_TEXT 101
// RCDATA: sizes and CRCs of the TEXT and BIN resources (payload/IntegrityRecord.h)
#define IDR_INTEGRITY_RECORD 700

#define IDI_SETUP 128
#define IDI_CAPTION 180

#define IDD_MESSAGE_BOX 220
#define IDD_LICENSE_PAGE 300
#define IDD_PROGRESS_PAGE 400

// Controls
#define IDC_ACCEPT 1004
#define IDC_DECLINE 1005
#define IDC_LICENSE_EDIT 304
#define IDC_PROGRESS_CAPTION 101
#define IDC_PROGRESS_BAR 401
#define IDC_PROGRESS_PERCENT 1009

// String table
#define IDS_PRODUCT_KEY 1000
#define IDS_DISTRIBUTION_TAG 1001
#define IDS_DISPLAY_NAME 1002
#define IDS_UNINSTALL_LINK_NAME 1003
#define IDS_DEFAULT_DRIVE 1005
#define IDS_ICON_FILE_NAME 1011
#define IDS_MAIN_EXE_NAME 1012
#define IDS_USER_KEY_PREFIX 1013      // no entry: loads empty
#define IDS_SILENT_KEY 1015           // no entry: loads empty
#define IDS_SILENT_VALUE 1016         // no entry: loads empty
#define IDS_PROGRAMS_FOLDER 1017
#define IDS_SETUP_TITLE 2000
#define IDS_UNINSTALL_QUESTION_1 2001
#define IDS_UNINSTALL_QUESTION_2 2002
#define IDS_UNINSTALL_QUESTION_3 2003
#define IDS_UNINSTALLED 2004
#define IDS_RESUME_QUESTION 2005
#define IDS_SETUP_TERMINATED 2006
#define IDS_EXIT_QUESTION 2007
#define IDS_REMOVING 2013
#define IDS_INSTALLING 2014
#define IDS_SETUP_DAMAGED 2020
#define IDS_UNINSTALLER_DAMAGED 2021
#define IDS_ALREADY_RUNNING 2022
#define IDS_NOT_INSTALLED_IN 2023
