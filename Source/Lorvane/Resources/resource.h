// Resource ids of Lorvane.exe. Included by Lorvane.rc and by the C++ code,
// so it holds nothing but #define lines.
#pragma once

// --- Dialogs -----------------------------------------------------------------
#define IDD_LORVANE_DIALOG              101

// --- Icon groups ---------------------------------------------------------------
// Icon index 0 of the executable (local drives and the program itself).
#define IDR_MAINFRAME                   128
#define IDI_LOCAL_DRIVE                 128
// Icon index 1 of the executable (network drives).
#define IDI_NETWORK_DRIVE               129

// --- Menus and accelerators ------------------------------------------------
#define IDR_MAIN_MENU                   133
#define IDR_CONTEXT_MENUS               135
#define IDR_ACCELERATORS                145

// --- Controls of the main dialog -----------------------------------------------
#define IDC_PATH_EDIT                   1002
#define IDC_OPTIONS_SEPARATOR           1004
#define IDC_MOUNT_DRIVE                 1006
#define IDC_BACKGROUND_MODE             1010
#define IDC_LABEL_EDIT                  1011
#define IDC_ONLY_OWN_DRIVES             1012
#define IDC_DRIVE_STATIC                1013
#define IDC_PATH_STATIC                 1015
#define IDC_LETTER_EDIT                 1016
#define IDC_START_WITH_WINDOWS          1023
#define IDC_MANAGE_NETWORK_DRIVES       1025
#define IDC_OPTIONS_LINK                1027
#define IDC_UAC_DRIVE_TOGGLE            1029
#define IDC_RECYCLE_BIN_TOGGLE          1030
#define IDC_AUTO_RESTORE_TOGGLE         1031
#define IDC_DRIVE_LIST                  1033
#define IDC_ICON_STATIC                 1034
#define IDC_ICON_EDIT                   1035

// --- Commands ----------------------------------------------------------------
#define ID_COMMAND_EXIT                 32771
#define ID_HELP_ABOUT                   32772
#define ID_HELP_HOW_IT_WORKS            32773
#define ID_HELP_HOME_PAGE               32774
#define ID_HELP_CONTACT                 32775
#define ID_HELP_NEWSLETTER              32776
#define ID_MOUNT_DRIVE                  32778
#define ID_ADVANCED_REGISTER_UAC_TASK   32782
#define ID_ADVANCED_UNREGISTER_UAC_TASK 32783
#define ID_COMMAND_PROMPT               32784
#define ID_COMMAND_PROMPT_ELEVATED      32787
#define ID_COMMAND_REMOVE_ALL           32788
#define ID_VIEW_LANGUAGE_FILES          32789
#define ID_LANGUAGE_HOW_TO_TRANSLATE    32790
#define ID_LANGUAGE_ENGLISH             32791
#define ID_LANGUAGE_FIRST               32792
#define ID_LANGUAGE_LAST                32823
#define ID_THEME_AUTO                   33000
#define ID_THEME_LIGHT                  33001
#define ID_THEME_DARK                   33002
#define ID_THEME_CLASSIC                33003
#define ID_THEME_FRAME                  33004
#define ID_LETTER_A                     33005
#define ID_LETTER_Z                     33030
#define ID_DRIVE_OPEN                   33031
#define ID_DRIVE_OPEN_PATH              33032
#define ID_DRIVE_ENABLED                33033
#define ID_DRIVE_UAC_DRIVE              33034
#define ID_DRIVE_RECYCLE_BIN            33035
#define ID_DRIVE_AUTO_RESTORE           33036
#define ID_DRIVE_REMOVE                 33037
#define ID_VIEW_ALWAYS_ON_TOP           33043
#define ID_VIEW_GROUP_BY_TYPE           33044
#define ID_VIEW_SHOW_TRAY_ICON          33045
#define ID_COMMAND_REFRESH              33046
#define ID_COMMAND_ENABLE_ALL           33047
#define ID_COMMAND_DISABLE_ALL          33048
#define ID_TRAY_SHOW_HIDE               33049
#define ID_TRAY_EXIT                    33050
#define ID_HELP_CHECK_FOR_UPDATES       33052

// --- Strings -----------------------------------------------------------------
// Format version of the built-in texts; a language file must carry "6" here.
#define IDS_LANGUAGE_FORMAT_VERSION     1
#define IDS_HOW_TO_TRANSLATE            32790

// Main window
#define IDS_ONE_DRIVE                   34000
#define IDS_N_DRIVES                    34001
#define IDS_SELECT_FOLDER_TITLE         34006
#define IDS_EMPTY_LIST_HINT             34019
#define IDS_CUE_PATH                    34020
#define IDS_CUE_LETTER                  34021
#define IDS_CUE_LABEL                   34022
#define IDS_TIP_UAC_DRIVE               34023
#define IDS_TIP_RECYCLE_BIN             34024
#define IDS_TIP_AUTO_RESTORE            34025
#define IDS_GROUP_VIRTUAL_DRIVES        34026
#define IDS_GROUP_NETWORK_DRIVES        34027
#define IDS_TIP_ENABLED                 34028
#define IDS_TIP_DISABLED                34029
#define IDS_TIP_REMOVE                  34030
#define IDS_OPTIONS_EXPAND              34031
#define IDS_OPTIONS_COLLAPSE            34032
#define IDS_CUE_ICON                    34033
#define IDS_UP_TO_DATE                  34300

// Drive engine and prompts
#define IDS_INVALID_PATH                35815
#define IDS_ASK_MANAGE_NETWORK_DRIVES   35816
#define IDS_CHOOSE_DRIVE_LETTER         35817
#define IDS_CHOOSE_FOLDER               35818
#define IDS_CREATE_VIRTUAL_DRIVE_FAILED 35819
#define IDS_REMOVE_VIRTUAL_DRIVE_FAILED 35820
#define IDS_CREATE_NETWORK_DRIVE_FAILED 35821
#define IDS_REMOVE_NETWORK_DRIVE_FAILED 35822
#define IDS_NETWORK_DRIVES_NOT_MANAGED  35823
#define IDS_REGISTER_TASK_FAILED        35824
#define IDS_UNREGISTER_TASK_FAILED      35825
#define IDS_UAC_TASK_ARGUMENTS_FAILED   35826
#define IDS_RECYCLE_BIN_FAILED          35827
#define IDS_ASK_RESTORE_DRIVES          35901
#define IDS_ASK_APPLY_CHANGES           35903
#define IDS_ASK_REMOVE_ALL              35904
#define IDS_ADMIN_REQUIRED              35910
#define IDS_ADMIN_REQUIRED_CONTENT      35911
#define IDS_ASK_ENABLE_BACKGROUND       35912
#define IDS_ASK_ENABLE_BACKGROUND_TEXT  35913
#define IDS_ASK_STOP_STARTUP            35914
#define IDS_ASK_STOP_STARTUP_TEXT       35915
#define IDS_ASK_DISABLE_BACKGROUND      35916
#define IDS_ASK_DISABLE_BACKGROUND_TEXT 35917
#define IDS_ASK_EXIT                    35918
#define IDS_ASK_EXIT_TEXT               35919
#define IDS_ASK_KEEP_RUNNING            35920
#define IDS_ASK_KEEP_RUNNING_TEXT       35921
#define IDS_ASK_DOWNLOAD_UPDATE         35922
#define IDS_UPDATE_AVAILABLE            35923
#define IDS_ASK_OUTDATED_LANGUAGE       35924
#define IDS_OUTDATED_LANGUAGE_TEXT      35925
#define IDS_BUTTON_HIDE                 35990
#define IDS_BUTTON_EXIT                 35991
#define IDS_BUTTON_RESTART              35992

// Welcome and about
#define IDS_WELCOME_TITLE               36000
#define IDS_WELCOME_QUESTION            36001
#define IDS_WELCOME_DRIVES_LIST         36002
#define IDS_ABOUT_TITLE                 36020
