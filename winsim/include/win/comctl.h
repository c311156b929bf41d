// Common controls: their start-up and the progress bar. Image lists are in win/imagelist.h.
#pragma once

#include "win/base.h"

// ---- Start-up ----
typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_WIN95_CLASSES 0x000000FF

// Registers the common control classes. The progress bar is also registered when the
// program starts, as loading the common controls library does.
void WINAPI InitCommonControls(void);
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// ---- Progress bar ("msctls_progress32") ----
#define PROGRESS_CLASSA "msctls_progress32"
#define PROGRESS_CLASS PROGRESS_CLASSA

#define PBM_SETRANGE (0x0400 + 1)
#define PBM_SETPOS (0x0400 + 2)
#define PBM_DELTAPOS (0x0400 + 3)
#define PBM_SETSTEP (0x0400 + 4)
#define PBM_STEPIT (0x0400 + 5)
#define PBM_SETRANGE32 (0x0400 + 6)
#define PBM_GETRANGE (0x0400 + 7)
#define PBM_GETPOS (0x0400 + 8)

typedef struct {
    int iLow;
    int iHigh;
} PBRANGE, *PPBRANGE;
