// Identifiers of the library's resources and of the controls in its dialog
// templates, shared by kvsetup.rc and the C++ code. Plain #defines so that
// the resource compiler can read them too.
#pragma once

// Icon, bitmap and animation clip.
#define IDI_SETUP 128
#define IDB_SIDE_PICTURE 129
#define IDR_COPY_CLIP 131

// Dialog templates.
#define IDD_MAIN_WINDOW 102
#define IDD_WELCOME_PAGE 130
#define IDD_SETUP_TYPE_PAGE 132
#define IDD_DESTINATION_PAGE 133
#define IDD_PROGRAM_FOLDER_PAGE 134
#define IDD_INFORMATION_PAGE 135
#define IDD_FINISH_PAGE 136
#define IDD_EXIT_CONFIRM 137
#define IDD_LANGUAGE_PAGE 140
#define IDD_WIZARD_FRAME 142
#define IDD_INSTALL_PROGRESS 1001

// Wizard frame (142).
#define IDC_SIDE_PICTURE 300
#define IDC_BACK 1001
#define IDC_NEXT 1002
#define IDC_FRAME_CANCEL 1010
#define IDC_BUTTON_SEPARATOR 1011

// Every page's heading label.
#define IDC_HEADING 1000

// Welcome (130) and information (135) page texts.
#define IDC_WELCOME_TEXT1 1003
#define IDC_WELCOME_PRODUCT 1004
#define IDC_WELCOME_TEXT2 1005
#define IDC_WELCOME_TEXT3 1006
#define IDC_WELCOME_TEXT4 1007
#define IDC_WELCOME_TEXT5 1008
#define IDC_WELCOME_TEXT6 1009
#define IDC_INFORMATION_TEXT 1003

// Language page (140) and program folder page (134) lists.
#define IDC_LANGUAGE_LIST 1014
#define IDC_FOLDER_LIST 1014

// Setup type page (132).
#define IDC_SETUP_TYPE_TEXT 1003
#define IDC_FIRST_OPTION 1001
#define IDC_FIRST_OPTION_LABEL 1004
#define IDC_SECOND_OPTION 1002
#define IDC_SECOND_OPTION_LABEL 1005

// Destination page (133).
#define IDC_DESTINATION_TEXT 1003
#define IDC_DESTINATION_TEXT2 1005
#define IDC_FOLDER_EDIT 1018
#define IDC_BROWSE 1019
#define IDC_SPACE_LABEL 1008
#define IDC_SPACE_VALUE 1009

// Program folder page (134); its edit is IDC_FOLDER_EDIT.
#define IDC_PROGRAM_FOLDER_TEXT 1003
#define IDC_PROGRAM_FOLDER_LABEL 1005
#define IDC_EXISTING_FOLDERS_LABEL 1006

// Finish page (136).
#define IDC_FINISH_TEXT 1003
#define IDC_RESTART_TEXT 1006
#define IDC_RESTART_NOW 1016
#define IDC_RESTART_LATER 1020

// Exit confirmation (137); its buttons are IDOK and IDCANCEL.
#define IDC_CONFIRM_LINE1 1000
#define IDC_CONFIRM_LINE2 1001
#define IDC_CONFIRM_LINE3 1002

// Progress dialog (1001).
#define IDC_STATUS_LABEL 1000
#define IDC_PROGRESS_BAR 1022
#define IDC_COPY_ANIMATION 1024
