// The program group page: offers the existing Start Menu groups, proposes the product
// name, and runs the shortcut page on top of itself once a group is chosen.
#include <string.h>

#include <shlobj.h>

#include "core/install_state.h"
#include "core/manifest.h"
#include "core/path_helpers.h"
#include "registration/shortcuts.h"
#include "wizard/backdrop_paint.h"
#include "wizard/backdrop_window.h"
#include "wizard/page_frame.h"
#include "wizard/pages.h"
#include "wizard/wizard_main.h"

const int GROUP_NAME_LIMIT = GROUP_NAME_SIZE - 1;

// True once the installing page has recorded the Programs folder: a path from a drive root.
static BOOL ProgramsFolderKnown(void) {
    const char* dir = InstallState.ProgramsDir;
    return dir[0] != '\0' && dir[1] == ':' && dir[2] == '\\';
}

// Lists the subfolders of the Programs folder; false when it cannot be enumerated. A folder
// the shell could not supply is not searched for relative to the current directory.
static BOOL FillGroupList(HWND page) {
    char pattern[MAX_PATH];
    WIN32_FIND_DATAA found;
    if (!ProgramsFolderKnown()) return FALSE;
    if ((int)strlen(InstallState.ProgramsDir) + 2 >= MAX_PATH) return FALSE;
    JoinPath(pattern, InstallState.ProgramsDir, "*", 0);
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return FALSE;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
            SendDlgItemMessageA(page, IDC_GROUP_BOX, CB_ADDSTRING, 0, (LPARAM)found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return TRUE;
}

static void ResetGroupName(HWND page) {
    CopyTextIntoRoom(InstallState.GroupName, Manifest.ProductName, GROUP_NAME_SIZE);
    int found = (int)SendDlgItemMessageA(page, IDC_GROUP_BOX, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                         (LPARAM)InstallState.GroupName);
    SendDlgItemMessageA(page, IDC_GROUP_BOX, CB_SETCURSEL, found, 0);
    SetDlgItemTextA(page, IDC_GROUP_BOX, InstallState.GroupName);
}

static void ConfirmGroup(HWND page) {
    GetDlgItemTextA(page, IDC_GROUP_BOX, InstallState.GroupName, GROUP_NAME_SIZE);
    if (InstallState.GroupName[0] == 0) {
        MessageBoxA(page, "Group may not be empty!", "Tarrowin", MB_OK | MB_ICONWARNING);
        return;
    }
    SetStep(STEP_SHORTCUTS);
    EnableWindow(GetDlgItem(page, IDC_GROUP_CONTINUE), FALSE);
    INT_PTR result = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_SHORTCUTS), page,
                                     ShortcutsPageProc, 0);
    if (result == IDOK) {
        PumpMessagesFor(page, 500);
        EndDialog(page, IDOK);
        return;
    }
    MessageBoxA(page, "Unable To Create Shortcuts!", "Tarrowin", MB_OK | MB_ICONERROR);
    ShowAbortMessage(page);
    EndDialog(page, IDCANCEL);
}

static void DrawGroupItem(const DRAWITEMSTRUCT* item) {
    char name[MAX_PATH];
    char path[MAX_PATH];
    SHFILEINFOA info;
    if ((int)item->itemID < 0) return;
    int nameLength = (int)SendMessageA(item->hwndItem, CB_GETLBTEXTLEN, item->itemID, 0);
    if (nameLength < 0 || nameLength >= MAX_PATH) return;
    SendMessageA(item->hwndItem, CB_GETLBTEXT, item->itemID, (LPARAM)name);

    int x = item->rcItem.left + 1;
    int y = item->rcItem.top;
    BOOL selected = (item->itemState & ODS_SELECTED) != 0;
    ZeroMemory(&info, sizeof(info));
    if ((int)strlen(InstallState.ProgramsDir) + 1 + nameLength < MAX_PATH) {
        JoinPath(path, InstallState.ProgramsDir, name, 0);
        SHGetFileInfoA(path, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    }
    ImageList_Draw(SmallIconList, info.iIcon, item->hDC, x, y, selected ? ILD_SELECTED : ILD_NORMAL);
    SetTextColor(item->hDC, selected ? ListColors.SelectedText : ListColors.Text);
    SetBkColor(item->hDC, selected ? ListColors.SelectedBackground : ListColors.Background);
    SIZE extent;
    GetTextExtentPoint32A(item->hDC, name, nameLength, &extent);
    RECT textArea = {x + 18, item->rcItem.top, x + 23 + extent.cx, item->rcItem.bottom};
    ExtTextOutA(item->hDC, x + 20, y + 1, ETO_CLIPPED | ETO_OPAQUE, &textArea, name, nameLength,
                NULL);
    if (item->itemState & ODS_FOCUS) DrawFocusRect(item->hDC, &textArea);
}

static INT_PTR OnGroupInit(HWND page) {
    CenterPage(page, CENTER_RIGHT_OF_PANEL);
    ApplyProductName(page, APPLY_TO_CAPTION);
    ApplyProductName(page, APPLY_TO_HEADING);
    if (!FillGroupList(page)) {
        MessageBoxA(page, "Unable to locate the Start Menu!", "Tarrowin", MB_OK | MB_ICONERROR);
        ShowAbortMessage(page);
        EndDialog(page, IDCANCEL);
    }
    SendDlgItemMessageA(page, IDC_GROUP_BOX, CB_LIMITTEXT, GROUP_NAME_LIMIT, 0);
    ResetGroupName(page);
    return TRUE;
}

static void OnGroupCommand(HWND page, int commandId, int notification) {
    if (notification != BN_CLICKED) return;
    switch (commandId) {
    case IDCANCEL:
        ShowAbortMessage(page);
        EndDialog(page, IDCANCEL);
        return;
    case IDC_GROUP_CONTINUE:
        ConfirmGroup(page);
        return;
    case IDC_RESET_GROUP:
        ResetGroupName(page);
        return;
    }
}

INT_PTR CALLBACK GroupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnGroupInit(page);
    case WM_COMMAND:
        OnGroupCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawGroupItem((const DRAWITEMSTRUCT*)lParam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return (INT_PTR)ColorHeadingText((HDC)wParam, (HWND)lParam);
    }
    return FALSE;
}
