// A small classic Windows program that drives the window manager the way the installer
// does: a copy of the dialog class, a top-most backdrop whose one-shot timer runs a chain
// of modal pages, the dialog keyboard, nested modal loops, a replaced control procedure,
// polling for one window's messages, and a message box. It writes what happens, one line
// per event, to the file DEMO_LOG names.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "demo_resource.h"

static HINSTANCE Instance;
static HWND Backdrop;
static FILE* Log;
static WNDPROC PreviousBarProc;
static int BarPaints;

static const UINT BACKDROP_TIMER_ID = 100;
static const UINT WORK_TIMER_ID = 200;
static const UINT LEVEL_TIMER_ID = 1;

// One line of the event log.
static void Note(const char* format, int value = 0) {
    if (!Log) return;
    std::fprintf(Log, format, value);
    std::fputc('\n', Log);
    std::fflush(Log);
}

// Handles the messages of the backdrop window and its children, for a while, and
// nothing else: the installer's way of staying responsive during long work.
static void PumpMessagesFor(HWND window, DWORD duration, bool& only_window) {
    DWORD start = GetTickCount();
    DWORD now;
    do {
        now = GetTickCount();
        MSG msg;
        if (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
            if (msg.hwnd != window && !IsChild(window, msg.hwnd)) only_window = false;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } while (now - start < duration);
}

// The list's current item, for the log.
static void NoteListItem(HWND page, const char* what) {
    char item[32] = "";
    LRESULT index = SendDlgItemMessageA(page, IDC_LIST, LB_GETCURSEL, 0, 0);
    if (index != LB_ERR) SendDlgItemMessageA(page, IDC_LIST, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item));
    if (Log) std::fprintf(Log, "%s %s\n", what, item);
}

static INT_PTR CALLBACK KeysPageProc(HWND page, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        static const char* const kItems[] = {"alpha", "beta", "gamma", "delta", "epsilon", "zeta", "eta", "theta"};
        for (const char* item : kItems) SendDlgItemMessageA(page, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        Note("keys open");
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wparam) == IDC_LIST) {
        if (HIWORD(wparam) == LBN_SELCHANGE) NoteListItem(page, "list selection");
        if (HIWORD(wparam) == LBN_DBLCLK) NoteListItem(page, "list double-click");
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wparam) == 0) {
        Note("keys command %d", LOWORD(wparam));
        if (LOWORD(wparam) == IDC_NEXT) EndDialog(page, IDOK);
        return TRUE;
    }
    return FALSE;
}

static INT_PTR CALLBACK LevelPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            char caption[32];
            std::snprintf(caption, sizeof caption, "Demo Level %d", static_cast<int>(lparam));
            SetWindowTextA(page, caption);
            SetWindowLongPtrA(page, DWLP_USER, lparam);
            Note("level %d open", static_cast<int>(lparam));
            if (lparam < 3) SetTimer(page, LEVEL_TIMER_ID, 250, nullptr);
            return TRUE;
        }
        case WM_TIMER: {
            KillTimer(page, wparam);
            int level = static_cast<int>(GetWindowLongPtrA(page, DWLP_USER));
            INT_PTR inner = DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_LEVEL), page, LevelPageProc, level + 1);
            Note("level %d got its inner page's result", level);
            Note("  which was %d", static_cast<int>(inner));
            Note(IsWindowEnabled(page) ? "  and the page is enabled again" : "  and the page is still disabled", 0);
            EndDialog(page, level * 10);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                int level = static_cast<int>(GetWindowLongPtrA(page, DWLP_USER));
                Note("level %d done", level);
                Note(IsWindowEnabled(GetWindow(page, GW_OWNER)) ? "  its owner is enabled" : "  its owner is disabled", 0);
                EndDialog(page, level * 10);
            }
            return TRUE;
        default: return FALSE;
    }
}

static LRESULT CALLBACK BarProc(HWND bar, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) ++BarPaints;
    return CallWindowProcA(PreviousBarProc, bar, message, wparam, lparam);
}

static INT_PTR CALLBACK WorkPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            PreviousBarProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(GetDlgItem(page, IDC_BAR), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BarProc)));
            SetTimer(page, WORK_TIMER_ID, 250, nullptr);
            Note("work open");
            return TRUE;
        case WM_TIMER: {
            KillTimer(page, wparam);
            Note("work timer %d", static_cast<int>(wparam));
            bool only_page = true;
            PostMessageA(Backdrop, WM_APP, 0, 0);
            InvalidateRect(GetDlgItem(page, IDC_BAR), nullptr, TRUE);
            PumpMessagesFor(page, 500, only_page);
            Note(only_page ? "pump took only the page's messages" : "pump took other messages", 0);
            MSG waiting;
            Note(PeekMessageA(&waiting, Backdrop, WM_APP, WM_APP, PM_NOREMOVE) ? "the backdrop's message waits"
                                                                                : "the backdrop's message is gone",
                 0);
            Note(BarPaints > 0 ? "the replaced procedure painted the bar" : "the bar was not painted", 0);
            int answer = MessageBoxA(page, "Finish the demo?", "Demo Question", MB_YESNO | MB_ICONQUESTION);
            Note("answer %d", answer);
            EndDialog(page, IDOK);
            return TRUE;
        }
        case WM_SIZE: Note("work size %d", LOWORD(lparam)); return TRUE;
        case WM_DESTROY:
            SetWindowLongPtrA(GetDlgItem(page, IDC_BAR), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousBarProc));
            return TRUE;
        default: return FALSE;
    }
}

// The pages, one after the other, inside the backdrop's timer message.
static void RunPages(HWND backdrop) {
    INT_PTR keys = DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_KEYS), backdrop, KeysPageProc, 0);
    Note("keys page ended with %d", static_cast<int>(keys));
    if (keys == IDOK) {
        INT_PTR levels = DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_LEVEL), backdrop, LevelPageProc, 1);
        Note("levels ended with %d", static_cast<int>(levels));
        INT_PTR work = DialogBoxParamA(Instance, MAKEINTRESOURCEA(IDD_WORK), backdrop, WorkPageProc, 0);
        Note("work page ended with %d", static_cast<int>(work));
    }
    DestroyWindow(backdrop);
}

static LRESULT CALLBACK BackdropProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: SetTimer(window, BACKDROP_TIMER_ID, 250, nullptr); return 0;
        case WM_TIMER:
            KillTimer(window, wparam);
            Note("backdrop timer %d", static_cast<int>(wparam));
            RunPages(window);
            return 0;
        case WM_APP: Note("backdrop message"); return 0;
        case WM_DESTROY:
            Note("backdrop destroyed");
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    Instance = instance;
    const char* log_path = std::getenv("DEMO_LOG");
    Log = log_path ? std::fopen(log_path, "w") : nullptr;
    Note("start, show command %d", show);

    WNDCLASSEXA dialog{};
    dialog.cbSize = sizeof dialog;
    GetClassInfoExA(nullptr, WC_DIALOG, &dialog);
    dialog.hInstance = instance;
    dialog.lpszClassName = "DemoDlg";
    RegisterClassExA(&dialog);

    WNDCLASSEXA app{};
    app.cbSize = sizeof app;
    app.style = CS_BYTEALIGNWINDOW;
    app.lpfnWndProc = BackdropProc;
    app.hInstance = instance;
    app.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    app.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    app.lpszClassName = "DemoApp";
    RegisterClassExA(&app);

    Backdrop = CreateWindowExA(WS_EX_TOPMOST, "DemoApp", "Demo Backdrop", WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance,
                               nullptr);
    if (!Backdrop) return 1;
    ShowWindow(Backdrop, show);
    UpdateWindow(Backdrop);
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0 && got != -1) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Note("end");
    if (Log) std::fclose(Log);
    return 1;
}
