// The program location page: proposes a program folder, lets the user browse the fixed
// drives and their folders in an owner-drawn list or type a path, and checks the choice.
#include <string.h>

#include <shlobj.h>

#include "core/install_state.h"
#include "core/manifest.h"
#include "core/path_helpers.h"
#include "registration/registry_entries.h"
#include "wizard/backdrop_paint.h"
#include "wizard/backdrop_window.h"
#include "wizard/page_frame.h"
#include "wizard/pages.h"


const int FOLDER_EDIT_LIMIT = 259;
const int COMPUTER_NAME_SIZE = 128;  // at most 127 characters
const int ITEM_LEVEL_ROOM = 500;     // list entries that can have a level
const int DRIVE_STRINGS_SIZE = 128;

// Item values of the list entries.
const DWORD_PTR ITEM_COMPUTER = 1;
const DWORD_PTR ITEM_DRIVE = 2;
const DWORD_PTR ITEM_FOLDER = 4;

static const char DEFAULT_FOLDER_BASE[] = "C:\\Orvane Tinkerware";
static const char PATH_INVALID_PREFIX[] = "Path Invalid!\r\n\r\n";

static char ComputerDisplayName[COMPUTER_NAME_SIZE];
static SHORT ComputerIconIndex;
static SHORT ItemLevels[ITEM_LEVEL_ROOM];
static SHORT CurrentItemIndex;
static BOOL ShowingDrives;

static HWND FolderList(HWND page) { return GetDlgItem(page, IDC_FOLDER_LIST); }

static const char* FindBackslash(const char* text) {
    for (; *text != 0; text++)
        if (*text == '\\') return text;
    return NULL;
}

static char ToAsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c; }

// Adds an entry with its item value; false when the list has no room left for levels.
static BOOL AddListEntry(HWND list, int index, const char* text, DWORD_PTR itemValue) {
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count >= ITEM_LEVEL_ROOM) return FALSE;
    UINT message = index < 0 ? LB_ADDSTRING : LB_INSERTSTRING;
    int added = (int)SendMessageA(list, message, index < 0 ? 0 : index, (LPARAM)text);
    if (added < 0) return FALSE;
    SendMessageA(list, LB_SETITEMDATA, added, (LPARAM)itemValue);
    return TRUE;
}

static void SelectCurrentEntry(HWND list, int index) {
    SendMessageA(list, LB_SETCURSEL, index, 0);
    CurrentItemIndex = (SHORT)index;
}

static void ListDrives(HWND list) {
    char driveStrings[DRIVE_STRINGS_SIZE];
    DWORD length = GetLogicalDriveStringsA(DRIVE_STRINGS_SIZE, driveStrings);
    if (length == 0 || length >= DRIVE_STRINGS_SIZE) driveStrings[0] = 0;

    for (char* root = driveStrings; *root != 0; root += (int)strlen(root) + 1) {
        if (root[0] >= 'a' && root[0] <= 'z') root[0] = (char)(root[0] - 'a' + 'A');
        if (GetDriveTypeA(root) == DRIVE_FIXED) AddListEntry(list, -1, root, ITEM_DRIVE);
    }
    AddListEntry(list, 0, ComputerDisplayName, ITEM_COMPUTER);

    int found = (int)SendMessageA(list, LB_FINDSTRINGEXACT, 0, (LPARAM)InstallState.ProgramDir);
    SelectCurrentEntry(list, found == LB_ERR ? 0 : found);
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    ItemLevels[0] = 0;
    for (int i = 1; i < count && i < ITEM_LEVEL_ROOM; i++) ItemLevels[i] = 1;
}

// Entries of the chain of a path's prefixes: the drive root and one per component.
static int CountChainEntries(const char* path) {
    const char* slash = FindBackslash(path);
    if (slash == NULL) return 0;
    int entries = 1;
    for (const char* p = slash + 1; *p != 0; p++)
        if (p[-1] == '\\' && *p != '\\') entries++;
    return entries;
}

static void AddSubfolders(HWND list, const char* path, int roomLeft) {
    char pattern[MAX_PATH];
    WIN32_FIND_DATAA found;
    JoinPath(pattern, path, "*.*", 0);
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || found.cFileName[0] == '.')
            continue;
        // A subfolder that could not become ProgramDir whole is not offered.
        if ((int)strlen(path) + 1 + (int)strlen(found.cFileName) > STATE_DIR_SIZE - 1) continue;
        if (roomLeft <= 0) break;
        char subfolder[MAX_PATH];
        JoinPath(subfolder, path, found.cFileName, 0);
        if (AddListEntry(list, -1, subfolder, ITEM_FOLDER)) roomLeft--;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Inserts the drive root and each prefix of the path at indexes 1, 2, ...; answers the last.
static int InsertFolderChain(HWND list, const char* path) {
    char prefix[STATE_DIR_SIZE];
    const char* slash = FindBackslash(path);
    if (slash == NULL) return 0;
    int index = 1;
    CopyTextIntoRoom(prefix, path, (int)(slash - path) + 2);
    AddListEntry(list, index++, prefix, ITEM_DRIVE);
    const char* p = slash + 1;
    while (*p != 0) {
        const char* end = p;
        while (*end != 0 && *end != '\\') end++;
        if (end > p) {
            CopyTextIntoRoom(prefix, path, (int)(end - path) + 1);
            AddListEntry(list, index++, prefix, ITEM_FOLDER);
        }
        p = *end == '\\' ? end + 1 : end;
    }
    return index - 1;
}

static void ListFolder(HWND list, const char* path) {
    int chainEntries = CountChainEntries(path);
    AddSubfolders(list, path, ITEM_LEVEL_ROOM - 1 - chainEntries);
    AddListEntry(list, 0, ComputerDisplayName, ITEM_COMPUTER);
    int current = InsertFolderChain(list, path);
    SelectCurrentEntry(list, current);

    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count && i < ITEM_LEVEL_ROOM; i++)
        ItemLevels[i] = (SHORT)(i <= current ? i : current + 1);
}

// Makes the text the current folder and rebuilds the list, in drives mode when asked.
static void ShowFolder(HWND page, const char* text, BOOL drives) {
    HWND list = FolderList(page);
    SetCursor(LoadCursorA(NULL, IDC_WAIT));
    if (text != InstallState.ProgramDir) CopyTextIntoRoom(InstallState.ProgramDir, text, STATE_DIR_SIZE);
    SetDlgItemTextA(page, IDC_FOLDER_EDIT, InstallState.ProgramDir);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    ShowingDrives = drives;
    if (drives)
        ListDrives(list);
    else
        ListFolder(list, InstallState.ProgramDir);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    SetCursor(LoadCursorA(NULL, IDC_ARROW));
}

static void ReadComputerIdentity(HWND page) {
    LPITEMIDLIST computer;
    SHFILEINFOA info;
    if (FAILED(SHGetSpecialFolderLocation(page, CSIDL_DRIVES, &computer))) return;
    ZeroMemory(&info, sizeof(info));
    SHGetFileInfoA((LPCSTR)computer, 0, &info, sizeof(info),
                   SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON);
    CopyTextIntoRoom(ComputerDisplayName, info.szDisplayName, COMPUTER_NAME_SIZE);
    ComputerIconIndex = (SHORT)info.iIcon;
    CoTaskMemFree(computer);
}

// The folder an earlier installation recorded, or the build's default; a recorded folder
// too long to be ProgramDir is passed over.
static void MakeProposal(char* proposal) {
    if (LookupPreviousProgramDir(proposal)) {
        proposal[MAX_PATH - 1] = 0;
        if ((int)strlen(proposal) <= STATE_DIR_SIZE - 1) return;
    }
    JoinPath(proposal, DEFAULT_FOLDER_BASE, Manifest.ProductName, 0);
}

static void ResetProgramFolder(HWND page) {
    char proposal[MAX_PATH];
    ReadComputerIdentity(page);
    MakeProposal(proposal);
    if (strcmp(proposal, InstallState.ProgramDir) == 0) return;
    CopyTextIntoRoom(InstallState.ProgramDir, proposal, STATE_DIR_SIZE);
    ShowFolder(page, InstallState.ProgramDir, FALSE);
}

static BOOL ContainsProductName(const char* text) {
    int nameLength = (int)strlen(Manifest.ProductName);
    for (const char* start = text; *start != 0; start++) {
        int i = 0;
        while (i < nameLength && start[i] != 0 &&
               ToAsciiLower(start[i]) == ToAsciiLower(Manifest.ProductName[i]))
            i++;
        if (i == nameLength) return TRUE;
    }
    return nameLength == 0;
}

static BOOL WarnInvalidPath(HWND page, const char* format) {
    char message[128];
    wsprintfA(message, format, PATH_INVALID_PREFIX);
    MessageBoxA(page, message, "Tarrowin", MB_OK | MB_ICONWARNING);
    return FALSE;
}

static BOOL ValidateProgramFolder(HWND page) {
    char text[STATE_DIR_SIZE];
    GetDlgItemTextA(page, IDC_FOLDER_EDIT, text, STATE_DIR_SIZE);
    if (text[0] == 0) return WarnInvalidPath(page, "%sPath may not be empty!");
    if (text[1] != ':' || text[2] != '\\') return WarnInvalidPath(page, "%sMissing : or \\ in drive.");
    if (text[3] == 0) return WarnInvalidPath(page, "%sPath may not be a root drive...");

    if (ContainsProductName(text)) {
        strcpy(InstallState.ProgramDir, text);
    } else {
        int length = (int)strlen(text);
        int separator = text[length - 1] == '\\' ? 0 : 1;
        if (length + separator + (int)strlen(Manifest.ProductName) > STATE_DIR_SIZE - 1)
            return WarnInvalidPath(page, "%sPath is too long!");
        JoinPath(InstallState.ProgramDir, text, Manifest.ProductName, 0);
    }
    ShowFolder(page, InstallState.ProgramDir, FALSE);
    return TRUE;
}

static void OnFolderDoubleClick(HWND page) {
    HWND list = FolderList(page);
    char text[MAX_PATH];
    int index = (int)SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    if (SendMessageA(list, LB_GETTEXTLEN, index, 0) >= MAX_PATH) return;
    SendMessageA(list, LB_GETTEXT, index, (LPARAM)text);

    if (index == 0) {
        if (!ShowingDrives) ShowFolder(page, text, TRUE);
        return;
    }
    if (!ShowingDrives && index == CurrentItemIndex) return;
    ShowFolder(page, text, FALSE);
}

// The icon index and shown name of an entry, asked of the shell on every draw.
static int DescribeEntry(const DRAWITEMSTRUCT* item, const char* text, SHFILEINFOA* info,
                         const char** shown) {
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON;
    ZeroMemory(info, sizeof(*info));
    *shown = info->szDisplayName;
    switch (item->itemData) {
    case ITEM_COMPUTER:
        *shown = text;
        return ComputerIconIndex;
    case ITEM_DRIVE:
        if (!SHGetFileInfoA(text, 0, info, sizeof(*info), flags)) *shown = text;
        return info->iIcon;
    }
    if ((int)item->itemID == CurrentItemIndex) flags |= SHGFI_OPENICON;
    if (!SHGetFileInfoA(text, 0, info, sizeof(*info), flags))
        SHGetFileInfoA(text, FILE_ATTRIBUTE_DIRECTORY, info, sizeof(*info),
                       flags | SHGFI_USEFILEATTRIBUTES);
    return info->iIcon;
}

static void DrawFolderItem(const DRAWITEMSTRUCT* item) {
    char text[MAX_PATH];
    SHFILEINFOA info;
    const char* shown;
    if ((int)item->itemID < 0) return;
    if (SendMessageA(item->hwndItem, LB_GETTEXTLEN, item->itemID, 0) >= MAX_PATH) return;
    SendMessageA(item->hwndItem, LB_GETTEXT, item->itemID, (LPARAM)text);

    int level = item->itemID < (UINT)ITEM_LEVEL_ROOM ? ItemLevels[item->itemID] : 0;
    int x = item->rcItem.left + level * 8 + 1;
    int y = item->rcItem.top;
    int icon = DescribeEntry(item, text, &info, &shown);
    BOOL selected = (item->itemState & ODS_SELECTED) != 0;

    ImageList_Draw(SmallIconList, icon, item->hDC, x, y, selected ? ILD_SELECTED : ILD_NORMAL);
    SetTextColor(item->hDC, selected ? ListColors.SelectedText : ListColors.Text);
    SetBkColor(item->hDC, selected ? ListColors.SelectedBackground : ListColors.Background);
    int length = (int)strlen(shown);
    SIZE extent;
    GetTextExtentPoint32A(item->hDC, shown, length, &extent);
    RECT textArea = {x + 18, item->rcItem.top, x + 23 + extent.cx, item->rcItem.bottom};
    ExtTextOutA(item->hDC, x + 20, y + 1, ETO_CLIPPED | ETO_OPAQUE, &textArea, shown, length, NULL);
    if (item->itemState & ODS_FOCUS) DrawFocusRect(item->hDC, &textArea);
}

static INT_PTR OnLocationInit(HWND page) {
    CenterPage(page, CENTER_RIGHT_OF_PANEL);
    ApplyProductName(page, APPLY_TO_CAPTION);
    ApplyProductName(page, APPLY_TO_HEADING);
    SendDlgItemMessageA(page, IDC_FOLDER_EDIT, EM_LIMITTEXT, FOLDER_EDIT_LIMIT, 0);
    ResetProgramFolder(page);
    return TRUE;
}

static void OnLocationCommand(HWND page, int commandId, int notification) {
    switch (commandId) {
    case IDOK:
        if (notification != BN_CLICKED) return;
        if (ValidateProgramFolder(page))
            EndDialog(page, IDOK);
        else
            SetFocus(GetDlgItem(page, IDC_FOLDER_EDIT));
        return;
    case IDCANCEL:
        if (notification != BN_CLICKED) return;
        ShowAbortMessage(page);
        EndDialog(page, IDCANCEL);
        return;
    case IDC_FOLDER_LIST:
        if (notification == LBN_DBLCLK) OnFolderDoubleClick(page);
        return;
    case IDC_RESET_FOLDER:
        if (notification == BN_CLICKED) ResetProgramFolder(page);
        return;
    }
}

INT_PTR CALLBACK LocationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnLocationInit(page);
    case WM_COMMAND:
        OnLocationCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawFolderItem((const DRAWITEMSTRUCT*)lParam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return (INT_PTR)ColorHeadingText((HDC)wParam, (HWND)lParam);
    }
    return FALSE;
}
