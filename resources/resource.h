// Identifiers of the installer's resources and dialog controls.
#pragma once

// Dialog templates, one per page.
#define IDD_WELCOME 1001
#define IDD_LICENSE 1002
#define IDD_LOCATION 1003
#define IDD_INSTALLING 1004
#define IDD_GROUP 1005
#define IDD_SHORTCUTS 1006

// Icons.
#define IDI_SETUP 100     // both window classes, the welcome page, the pages' small icon
#define IDI_SHORTCUT 101  // the shortcut page

// Bitmaps.
#define IDB_DRIVE 200   // picture of the program location and installing pages
#define IDB_GROUP 201   // picture of the program group page and the backdrop's panel
#define IDB_BANNER 202  // the backdrop's banner; its colour table is the palette
#define IDB_BAND 203    // the banner's background, stretched left of it
#define IDB_RULE 204    // the rule under the band

// Controls shared by the pages.
#define IDC_HEADING 700

// Licence page.
#define IDC_LICENSE_TEXT 200

// Program location page.
#define IDC_FOLDER_EDIT 300
#define IDC_FOLDER_LIST 301
#define IDC_RESET_FOLDER 302

// Installing page.
#define IDC_DESTINATION 400
#define IDC_TOTAL_SIZE 401
#define IDC_CURRENT_SIZE 402
#define IDC_TOTAL_FILES 403
#define IDC_CURRENT_FILE 404
#define IDC_PERCENT_BAR 405
#define IDC_FOOTER 406

// Program group page.
#define IDC_GROUP_BOX 500
#define IDC_GROUP_CONTINUE 501
#define IDC_RESET_GROUP 502

// Shortcut page.
#define IDC_SHORTCUT_NAME 600
#define IDC_SHORTCUT_PROGRESS 601
