// The backdrop window and the run that happens inside its one timer message: the pages in
// their fixed order, then registration, the read-me offer and the farewell.
#include "wizard/backdrop_window.h"

#include "core/install_state.h"
#include "core/manifest.h"
#include "core/path_helpers.h"
#include "registration/registry_entries.h"
#include "wizard/backdrop_paint.h"
#include "wizard/pages.h"
#include "product_texts.h"
#include "wizard/wizard_main.h"

HWND BackdropWindow;
DWORD StepIndicator;

static const char ABORT_TEXT[] =
    "Installation Aborted!\r\n"
    "\r\n"
    "If you need assistance you can email\r\n"
    "support at - " PUBLISHER_SUPPORT_EMAIL "!";

static const char FAREWELL_TEXT[] =
    "For other great software utilities be sure to\r\n"
    "stop by " PUBLISHER_DISPLAY_NAME " home page at\r\n"
    PUBLISHER_HOME_PAGE "\r\n"
    "\r\n"
    "If you have any questions or comments you can\r\n"
    "email support at " PUBLISHER_SUPPORT_EMAIL "!";

static const char README_QUESTION_FORMAT[] =
    "%s was successfully installed.\r\n\r\nWould you like to view the Read Me file now?";

const int README_QUESTION_SIZE = 512;

// The quoted read-me path: a whole ProgramDir, a backslash, a file name and two quotes.
const int README_PATH_SIZE = STATE_DIR_SIZE + ENTRY_FILE_NAME_SIZE + 4;
const int README_COMMAND_SIZE = README_PATH_SIZE + 16;

const int README_ENTRY = 4;  // the manifest entry that is the read-me file

// The area of the seven step labels on the backdrop's left panel.
static const RECT STEP_LABELS_AREA = {0, 120, 150, 244};

struct WizardPage {
    DWORD step;
    int templateId;
    DLGPROC procedure;
};

static const WizardPage WIZARD_PAGES[] = {
    {STEP_LICENSE, IDD_LICENSE, LicensePageProc},
    {STEP_LOCATION, IDD_LOCATION, LocationPageProc},
    {STEP_FILES, IDD_INSTALLING, InstallingPageProc},
    {STEP_GROUP, IDD_GROUP, GroupPageProc},
};

void SetStep(DWORD step) {
    StepIndicator = step;
    InvalidateRect(BackdropWindow, &STEP_LABELS_AREA, FALSE);
    UpdateWindow(BackdropWindow);
}

int ShowAbortMessage(HWND owner) {
    MessageBoxA(owner, ABORT_TEXT, "Tarrowin", MB_OK | MB_ICONWARNING);
    return 0;
}

// Opens the read-me file in Notepad and waits, minimised, until Notepad is closed.
static void ViewReadMe(HWND backdrop) {
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    char readMePath[README_PATH_SIZE];
    char commandLine[README_COMMAND_SIZE];

    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    ShowWindow(backdrop, SW_MINIMIZE);

    JoinPath(readMePath, InstallState.ProgramDir, Manifest.Entries[README_ENTRY].FileName, 1);
    wsprintfA(commandLine, "Notepad.exe %s", readMePath);
    if (CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, InstallState.ProgramDir,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    ShowWindow(backdrop, SW_RESTORE);
}

static void FinishInstallation(HWND backdrop) {
    char question[README_QUESTION_SIZE];

    RegisterProduct();
    SetStep(STEP_README);
    wsprintfA(question, README_QUESTION_FORMAT, Manifest.ProductName);
    if (MessageBoxA(backdrop, question, "Tarrowin", MB_YESNO | MB_ICONQUESTION) == IDYES)
        ViewReadMe(backdrop);
    SetStep(STEP_FINISHED);
    MessageBoxA(backdrop, FAREWELL_TEXT, "Tarrowin", MB_OK | MB_ICONINFORMATION);
    DestroyWindow(backdrop);
}

// Runs the pages in their order; any result but IDOK ends the run.
static void RunWizard(HWND backdrop) {
    for (const WizardPage& page : WIZARD_PAGES) {
        SetStep(page.step);
        INT_PTR result = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(page.templateId), backdrop,
                                         page.procedure, 0);
        if (result != IDOK) {
            DestroyWindow(backdrop);
            return;
        }
    }
    FinishInstallation(backdrop);
}

static LRESULT OnBackdropCreate(HWND backdrop) {
    InitBackdropStyle(backdrop);
    SetTimer(backdrop, BACKDROP_TIMER_ID, 250, NULL);
    return 0;
}

static void OnBackdropTimer(HWND backdrop, UINT_PTR timerId) {
    KillTimer(backdrop, timerId);
    RunWizard(backdrop);
}

static void OnBackdropDestroy(void) {
    ReleaseBackdropStyle();
    PostQuitMessage(0);
}

LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnBackdropCreate(window);
    case WM_PAINT:
        PaintBackdrop(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        OnBackdropTimer(window, (UINT_PTR)wParam);
        return 0;
    case WM_DESTROY:
        OnBackdropDestroy();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
