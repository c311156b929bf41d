// The shortcut page and the shortcuts it makes through the shell's link object.
#include "registration/shortcuts.h"

#include <commctrl.h>
#include <shlobj.h>

#include "core/install_state.h"
#include "core/manifest.h"
#include "core/path_helpers.h"
#include "resources/resource.h"
#include "wizard/page_frame.h"

const UINT_PTR SHORTCUTS_TIMER_ID = 300;

// A folder of InstallState, a backslash, and a file name or a group name.
const int TARGET_PATH_SIZE = STATE_DIR_SIZE + ENTRY_FILE_NAME_SIZE;
const int GROUP_PATH_SIZE = STATE_DIR_SIZE + GROUP_NAME_SIZE;
// The group folder, a backslash, the shortcut name and ".lnk".
const int LINK_PATH_SIZE = GROUP_PATH_SIZE + ENTRY_SHORTCUT_NAME_SIZE + 5;

void CreateShellLink(const char* target, const char* workingFolder, const char* linkFile,
                     const char* description) {
    IShellLinkA* shellLink;
    IPersistFile* persistFile;
    WCHAR widePath[MAX_PATH];

    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                (void**)&shellLink)))
        return;
    shellLink->SetPath(target);
    shellLink->SetWorkingDirectory(workingFolder);
    shellLink->SetDescription(description);
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, (void**)&persistFile))) {
        // A link path that does not fit MAX_PATH wide characters is not saved at all.
        if (MultiByteToWideChar(CP_ACP, 0, linkFile, -1, widePath, MAX_PATH) > 0)
            persistFile->Save(widePath, TRUE);
        persistFile->Release();
    }
    shellLink->Release();
}

static void CreateEntryShortcut(int entryIndex) {
    const ManifestEntry* entry = &Manifest.Entries[entryIndex];
    const char* folder = (entry->Flags & ENTRY_IN_PROGRAM_DIR) ? InstallState.ProgramDir
                                                               : InstallState.WindowsDir;
    char target[TARGET_PATH_SIZE];
    char linkFile[LINK_PATH_SIZE];
    JoinPath(target, folder, entry->FileName, 0);
    MakeLinkPath(linkFile, InstallState.ProgramsDir, InstallState.GroupName, entry->ShortcutName);
    CreateShellLink(target, folder, linkFile, entry->ShortcutName);
}

BOOL CreateShortcuts(HWND page) {
    HRESULT initialised = CoInitialize(NULL);
    if (initialised != S_OK) {
        // Already initialised on this thread: the call still counted, so give it back.
        if (SUCCEEDED(initialised)) CoUninitialize();
        return FALSE;
    }
    HWND progress = GetDlgItem(page, IDC_SHORTCUT_PROGRESS);
    SendMessageA(progress, PBM_SETRANGE, 0, MAKELPARAM(0, Manifest.ShortcutCount));
    SendMessageA(progress, PBM_SETSTEP, 1, 0);

    char groupFolder[GROUP_PATH_SIZE];
    JoinPath(groupFolder, InstallState.ProgramsDir, InstallState.GroupName, 0);
    CreateDirectoryA(groupFolder, NULL);

    for (SHORT i = 0; i < Manifest.ShortcutCount; i++) {
        SetDlgItemTextA(page, IDC_SHORTCUT_NAME, Manifest.Entries[i].ShortcutName);
        CreateEntryShortcut(i);
        SendMessageA(progress, PBM_STEPIT, 0, 0);
        PumpMessagesFor(page, 200);
    }
    PumpMessagesFor(page, 500);
    CoUninitialize();
    return TRUE;
}

static INT_PTR OnShortcutsInit(HWND page) {
    CenterPage(page, CENTER_RIGHT_OF_PANEL);
    ApplyProductName(page, APPLY_TO_CAPTION);
    SetTimer(page, SHORTCUTS_TIMER_ID, 250, NULL);
    return TRUE;
}

static void OnShortcutsTimer(HWND page, UINT_PTR timerId) {
    KillTimer(page, timerId);
    EndDialog(page, CreateShortcuts(page) ? IDOK : IDCANCEL);
}

INT_PTR CALLBACK ShortcutsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        return OnShortcutsInit(page);
    case WM_TIMER:
        OnShortcutsTimer(page, (UINT_PTR)wParam);
        return TRUE;
    }
    return FALSE;
}
