#include <commctrl.h>

#include "comctl/progress_bar.h"

void WINAPI InitCommonControls(void) { winsim::comctl::register_progress_class(); }

// The progress bar is the only class this library has: a request for any other fails.
BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    if (init->dwICC & ICC_PROGRESS_CLASS) winsim::comctl::register_progress_class();
    return (init->dwICC & ~static_cast<DWORD>(ICC_PROGRESS_CLASS)) == 0;
}
