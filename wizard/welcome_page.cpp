// The welcome page: the first thing the program shows; Continue starts the installation.
#include "wizard/page_frame.h"
#include "wizard/pages.h"

static INT_PTR OnWelcomeInit(HWND page) {
    CenterPage(page, CENTER_ON_SCREEN);
    ApplyProductName(page, APPLY_TO_HEADING);
    return TRUE;
}

static INT_PTR OnWelcomeCommand(HWND page, int commandId, int notification) {
    if (notification != 0) return TRUE;
    EndDialog(page, commandId);
    return FALSE;
}

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnWelcomeInit(page);
    case WM_COMMAND:
        return OnWelcomeCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_CTLCOLORSTATIC:
        return (INT_PTR)ColorHeadingText((HDC)wParam, (HWND)lParam);
    }
    return FALSE;
}
