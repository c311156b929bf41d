// The entry point: the welcome page on its own, then the backdrop and the message loop
// that carries the rest of the run.
#include "wizard/wizard_main.h"

#include "wizard/backdrop_window.h"
#include "wizard/pages.h"

HINSTANCE AppInstance;
int ScreenWidth;
int ScreenHeight;

static const char BACKDROP_CLASS[] = "InstallApp";
static const char WELCOME_CLASS[] = "InstallDlg";

static HICON LoadSmallInstallerIcon(void) {
    return (HICON)LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON, 16, 16,
                             LR_DEFAULTCOLOR);
}

// The welcome page's class: the system dialog class with the installer's icons.
static void RegisterWelcomeClass(void) {
    WNDCLASSEXA dialogClass;
    ZeroMemory(&dialogClass, sizeof(dialogClass));
    dialogClass.cbSize = sizeof(dialogClass);
    if (!GetClassInfoExA(NULL, WC_DIALOG, &dialogClass)) return;
    dialogClass.cbSize = sizeof(dialogClass);
    dialogClass.lpfnWndProc = DefDlgProcA;
    dialogClass.cbWndExtra = DLGWINDOWEXTRA;
    dialogClass.hInstance = AppInstance;
    dialogClass.hIcon = LoadIconA(AppInstance, MAKEINTRESOURCEA(IDI_SETUP));
    dialogClass.hIconSm = LoadSmallInstallerIcon();
    dialogClass.lpszClassName = WELCOME_CLASS;
    RegisterClassExA(&dialogClass);
}

static void RegisterBackdropClass(void) {
    WNDCLASSEXA backdropClass;
    ZeroMemory(&backdropClass, sizeof(backdropClass));
    backdropClass.cbSize = sizeof(backdropClass);
    backdropClass.style = CS_BYTEALIGNWINDOW;
    backdropClass.lpfnWndProc = BackdropProc;
    backdropClass.cbClsExtra = 0;
    backdropClass.cbWndExtra = 0;
    backdropClass.hInstance = AppInstance;
    backdropClass.hIcon = LoadIconA(AppInstance, MAKEINTRESOURCEA(IDI_SETUP));
    backdropClass.hIconSm = LoadSmallInstallerIcon();
    backdropClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    backdropClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    backdropClass.lpszMenuName = NULL;
    backdropClass.lpszClassName = BACKDROP_CLASS;
    RegisterClassExA(&backdropClass);
}

static HWND CreateBackdropWindow(void) {
    return CreateWindowExA(WS_EX_TOPMOST, BACKDROP_CLASS, "Tarrowin",
                           WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, 0, 0, ScreenWidth,
                           ScreenHeight, NULL, NULL, AppInstance, NULL);
}

// The program's only general message loop; it ends on WM_QUIT or an error.
static void RunMessageLoop(void) {
    MSG message;
    for (;;) {
        BOOL got = GetMessageA(&message, NULL, 0, 0);
        if (got == 0 || got == -1) return;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand) {
    (void)previousInstance;
    (void)commandLine;
    AppInstance = instance;
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    RegisterWelcomeClass();
    RegisterBackdropClass();

    if (DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_WELCOME), NULL, WelcomePageProc, 0) !=
        IDOK)
        return 1;
    BackdropWindow = CreateBackdropWindow();
    if (BackdropWindow == NULL) return 1;
    ShowWindow(BackdropWindow, showCommand);
    UpdateWindow(BackdropWindow);
    RunMessageLoop();
    return 1;
}
