// The installing page: records the Windows and Start Menu folders, then extracts the files
// while its counters and the two-coloured percent bar follow along, and closes itself.
#include <string.h>

#include <shlobj.h>

#include "core/file_install.h"
#include "core/install_state.h"
#include "core/path_helpers.h"
#include "wizard/backdrop_window.h"
#include "wizard/page_frame.h"
#include "wizard/pages.h"

const int NO_CONTROL_ID = 0xFFFF;
const UINT_PTR INSTALL_TIMER_ID = 200;

const COLORREF NAVY = RGB(0, 0, 128);
const COLORREF DARK_BLUE = RGB(0, 0, 64);
const COLORREF WHITE = RGB(255, 255, 255);

HWND PercentBar;
static WNDPROC PreviousPercentBarProc;

static void DrawPercentBar(HDC dc, const RECT* client) {
    int width = client->right;
    int height = client->bottom;
    int split = width * (int)InstallState.HalfPercent / 200;
    char text[16];
    int length = wsprintfA(text, "%d%%", InstallState.HalfPercent / 2);
    SIZE extent;
    GetTextExtentPointA(dc, text, length, &extent);
    int x = (width - extent.cx) / 2;
    int y = (height - extent.cy) / 2;

    RECT remaining = {split, 0, width, height};
    SetTextColor(dc, DARK_BLUE);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    ExtTextOutA(dc, x, y, ETO_CLIPPED | ETO_OPAQUE, &remaining, text, length, NULL);

    RECT done = {0, 0, split, height};
    SetTextColor(dc, WHITE);
    SetBkColor(dc, NAVY);
    ExtTextOutA(dc, x, y, ETO_CLIPPED | ETO_OPAQUE, &done, text, length, NULL);
}

static void PaintPercentBar(HWND bar) {
    PAINTSTRUCT paint;
    RECT client;
    HDC dc = BeginPaint(bar, &paint);
    HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    GetClientRect(bar, &client);
    DrawPercentBar(dc, &client);
    SelectObject(dc, previousFont);
    EndPaint(bar, &paint);
}

static LRESULT CALLBACK PercentBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintPercentBar(bar);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return CallWindowProcA(PreviousPercentBarProc, bar, message, wParam, lParam);
}

// Copies the Start Menu Programs folder into ProgramsDir only when the shell supplied it.
static void RecordProgramsFolder(HWND page) {
    LPITEMIDLIST programs;
    char path[MAX_PATH];
    if (FAILED(SHGetSpecialFolderLocation(page, CSIDL_PROGRAMS, &programs))) return;
    if (SHGetPathFromIDListA(programs, path) && (int)strlen(path) < STATE_DIR_SIZE) {
        strcpy(InstallState.ProgramsDir, path);
        PrettifyCase(InstallState.ProgramsDir);
    }
    CoTaskMemFree(programs);
}

static void RecordWindowsFolder(void) {
    char path[MAX_PATH];
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= STATE_DIR_SIZE) return;
    strcpy(InstallState.WindowsDir, path);
    PrettifyCase(InstallState.WindowsDir);
}

static INT_PTR OnInstallingInit(HWND page) {
    CenterPage(page, CENTER_RIGHT_OF_PANEL);
    ApplyProductName(page, APPLY_TO_CAPTION);
    PercentBar = GetDlgItem(page, IDC_PERCENT_BAR);
    PreviousPercentBarProc =
        (WNDPROC)SetWindowLongPtrA(PercentBar, GWLP_WNDPROC, (LONG_PTR)PercentBarProc);
    RecordWindowsFolder();
    RecordProgramsFolder(page);
    SetTimer(page, INSTALL_TIMER_ID, 250, NULL);
    return TRUE;
}

static void OnInstallingTimer(HWND page, UINT_PTR timerId) {
    KillTimer(page, timerId);
    if (InstallFiles(page) == -1) {
        ShowAbortMessage(page);
        EndDialog(page, IDCANCEL);
        return;
    }
    PumpMessagesFor(page, 1000);
    EndDialog(page, IDOK);
}

static HBRUSH ColorInstallingControl(HDC dc, HWND control) {
    int id = GetDlgCtrlID(control);
    if (id == NO_CONTROL_ID) return NULL;
    int background = id == IDC_FOOTER ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(dc, NAVY);
    SetBkColor(dc, GetSysColor(background));
    return GetSysColorBrush(background);
}

static void OnInstallingDestroy(void) {
    SetWindowLongPtrA(PercentBar, GWLP_WNDPROC, (LONG_PTR)PreviousPercentBarProc);
}

INT_PTR CALLBACK InstallingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInstallingInit(page);
    case WM_TIMER:
        OnInstallingTimer(page, (UINT_PTR)wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        return (INT_PTR)ColorInstallingControl((HDC)wParam, (HWND)lParam);
    case WM_DESTROY:
        OnInstallingDestroy();
        return TRUE;
    }
    return FALSE;
}
