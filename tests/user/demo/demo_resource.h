// Identifiers of the demonstration program's dialogs and controls.
#define IDD_KEYS 101
#define IDD_LEVEL 102
#define IDD_WORK 103
#define IDC_NEXT 103
#define IDC_FIELD 200
#define IDC_BAR 405
#define IDC_LIST 300
