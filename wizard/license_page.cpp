// The licence page: the licence text in a resizable page; I Agree goes on, I Disagree ends.
#include "wizard/page_frame.h"
#include "wizard/pages.h"
#include "wizard/wizard_main.h"


// The licence text has no terminator of its own; this is room for it and one.
const int LICENSE_TEXT_SIZE = 65536;

static int LastClientWidth;   // pixels, the page's client size at the last layout
static int LastClientHeight;  // pixels
static char LicenseText[LICENSE_TEXT_SIZE];

// Puts the "LICENSE" resource into the text control; a missing one leaves it empty.
static void ShowLicenseText(HWND page) {
    HRSRC found = FindResourceA(AppInstance, "LICENSE", RT_RCDATA);
    if (found == NULL) return;
    const char* bytes = (const char*)LockResource(LoadResource(AppInstance, found));
    DWORD size = SizeofResource(AppInstance, found);
    if (bytes == NULL) return;
    if (size > LICENSE_TEXT_SIZE - 1) size = LICENSE_TEXT_SIZE - 1;
    CopyMemory(LicenseText, bytes, size);
    LicenseText[size] = 0;
    SendDlgItemMessageA(page, IDC_LICENSE_TEXT, WM_SETTEXT, 0, (LPARAM)LicenseText);
}

static INT_PTR OnLicenseInit(HWND page) {
    RECT client;
    CenterPage(page, CENTER_RIGHT_OF_PANEL);
    ApplyProductName(page, APPLY_TO_CAPTION);
    GetClientRect(page, &client);
    LastClientWidth = client.right;
    LastClientHeight = client.bottom;
    ShowLicenseText(page);
    return TRUE;
}

// A control's rectangle in the page's client coordinates.
static RECT ControlRectangle(HWND page, HWND control) {
    RECT rectangle;
    GetWindowRect(control, &rectangle);
    MapWindowPoints(NULL, page, (LPPOINT)&rectangle, 2);
    return rectangle;
}

static void MoveControlBy(HWND page, int controlId, int dx, int dy) {
    HWND control = GetDlgItem(page, controlId);
    RECT rectangle = ControlRectangle(page, control);
    SetWindowPos(control, NULL, rectangle.left + dx, rectangle.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Keeps the text's distances to the right and bottom edges, and the buttons' to the corner.
static void LayoutLicensePage(HWND page, int newWidth, int newHeight) {
    int dx = newWidth - LastClientWidth;
    int dy = newHeight - LastClientHeight;
    HWND text = GetDlgItem(page, IDC_LICENSE_TEXT);
    RECT textRectangle = ControlRectangle(page, text);
    SetWindowPos(text, NULL, 0, 0, textRectangle.right - textRectangle.left + dx,
                 textRectangle.bottom - textRectangle.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveControlBy(page, IDOK, dx, dy);
    MoveControlBy(page, IDCANCEL, dx, dy);
    LastClientWidth = newWidth;
    LastClientHeight = newHeight;
}

static INT_PTR OnLicenseCommand(HWND page, int commandId, int notification) {
    if ((commandId == IDOK || commandId == IDCANCEL) && notification == 0) {
        EndDialog(page, commandId);
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK LicensePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnLicenseInit(page);
    case WM_SIZE:
        LayoutLicensePage(page, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_COMMAND:
        return OnLicenseCommand(page, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}
