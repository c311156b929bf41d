// A test program around InstallFiles: the installing page from its template with the
// percent bar's procedure replaced, run on its one-shot timer. Its folders come from the
// environment (CORE_PAGE_PROGRAM_DIR, CORE_PAGE_WINDOWS_DIR); what the page showed goes to
// the file CORE_PAGE_RESULT.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>

#include "core/file_install.h"
#include "core/install_state.h"
#include "core/manifest.h"
#include "page_payload_sizes.h"

static ManifestEntry PageEntry(const char* fileName, DWORD flags, const char* resource, int payload)
{
    ManifestEntry entry = {};
    std::strcpy(entry.FileName, fileName);
    entry.Flags = flags;
    std::strcpy(entry.ResourceName, resource);
    std::strcpy(entry.ShortcutName, "-");
    entry.UncompressedSize = payload >= 0 ? kPagePayloadSizes[payload].uncompressed : 777;
    entry.CompressedSize = payload >= 0 ? kPagePayloadSizes[payload].compressed : 10;
    return entry;
}

static InstallManifest MakeManifest()
{
    InstallManifest manifest = {};
    std::strcpy(manifest.ProductName, "Sweeplux");
    std::strcpy(manifest.ProductVersion, "3.06");
    std::strcpy(manifest.PublisherName, "Orvane Tinkerware");
    manifest.FileTimestamp = {2005, 11, 1, 28, 3, 6, 0, 0};
    manifest.Entries[0] = PageEntry("Swxremov.exe", 0x12, "UINSTALL", 0);
    manifest.Entries[1] = PageEntry("Swxupdt.exe", 0x11, "UPDATER", 1);
    manifest.Entries[2] = PageEntry("Sweeplux.exe", 0x11, "PROGRAM", 2);
    manifest.Entries[3] = PageEntry("Swxplugs.dat", 0x11, "PLUGINS", 3);
    manifest.Entries[4] = PageEntry("Settings.dat", 0x01, "SETTINGS", 4);
    manifest.Entries[5] = PageEntry("Serial.key", 0x01, "SERIAL", 5);
    manifest.Entries[6] = PageEntry("Swxextra.ini", 0x02, "GHOST", -1);  // no such resource
    manifest.FileCount = 7;
    return manifest;
}

const InstallManifest Manifest = MakeManifest();

const int PAINT_ROOM = 1024;
const int INSTALL_TIMER = 200;

static HWND PercentBar;
static WNDPROC PreviousBarProc;
static int InstallResult = 0;
static int PaintedValues[PAINT_ROOM];
static int PaintCount = 0;
static char ShownTexts[5][MAX_PATH];

static void PaintPercentBar(HDC dc, const RECT* area)
{
    RECT done = *area;
    done.right = area->left + (area->right - area->left) * InstallState.HalfPercent / 200;
    RECT rest = *area;
    rest.left = done.right;
    HBRUSH doneBrush = CreateSolidBrush(RGB(0, 0, 128));
    HBRUSH restBrush = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &done, doneBrush);
    FillRect(dc, &rest, restBrush);
    DeleteObject(doneBrush);
    DeleteObject(restBrush);
}

static LRESULT CALLBACK PercentBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT area;
        GetClientRect(window, &area);
        PaintPercentBar(dc, &area);
        EndPaint(window, &paint);
        if (PaintCount < PAINT_ROOM) {
            PaintedValues[PaintCount++] = InstallState.HalfPercent;
        }
        return 0;
    }
    return CallWindowProcA(PreviousBarProc, window, message, wParam, lParam);
}

static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        PercentBar = GetDlgItem(page, IDC_PERCENT_BAR);
        PreviousBarProc = (WNDPROC)SetWindowLongPtrA(PercentBar, GWLP_WNDPROC,
                                                     (LONG_PTR)PercentBarProc);
        SetTimer(page, INSTALL_TIMER, 250, NULL);
        return TRUE;
    case WM_TIMER:
        if (wParam != INSTALL_TIMER) {
            return FALSE;
        }
        KillTimer(page, INSTALL_TIMER);
        InstallResult = InstallFiles(page);
        for (int i = 0; i < 5; i++) {
            GetDlgItemTextA(page, IDC_DESTINATION + i, ShownTexts[i], MAX_PATH);
        }
        EndDialog(page, InstallResult == 1 ? IDOK : IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const char* resultFile = std::getenv("CORE_PAGE_RESULT");
    const char* programDir = std::getenv("CORE_PAGE_PROGRAM_DIR");
    const char* windowsDir = std::getenv("CORE_PAGE_WINDOWS_DIR");
    if (resultFile == NULL || programDir == NULL || windowsDir == NULL ||
        std::strlen(programDir) >= STATE_DIR_SIZE || std::strlen(windowsDir) >= STATE_DIR_SIZE) {
        std::fprintf(stderr, "core_install_page_host: CORE_PAGE_RESULT, CORE_PAGE_PROGRAM_DIR "
                             "and CORE_PAGE_WINDOWS_DIR name the result file and the folders\n");
        return 2;
    }
    std::strcpy(InstallState.ProgramDir, programDir);
    std::strcpy(InstallState.WindowsDir, windowsDir);
    INT_PTR ended = DialogBoxParamA(instance, MAKEINTRESOURCEA(1004), NULL, PageProc, 0);

    std::FILE* out = std::fopen(resultFile, "w");
    if (out == NULL) {
        return 3;
    }
    std::fprintf(out, "dialog=%d\nresult=%d\ntotal=%u\ndone=%u\nhalf=%u\npaints=", (int)ended,
                 InstallResult, InstallState.TotalBytes, InstallState.DoneBytes,
                 InstallState.HalfPercent);
    for (int i = 0; i < PaintCount; i++) {
        std::fprintf(out, "%s%d", i ? " " : "", PaintedValues[i]);
    }
    std::fprintf(out, "\n");
    for (int i = 0; i < 5; i++) {
        std::fprintf(out, "text%d=%s\n", IDC_DESTINATION + i, ShownTexts[i]);
    }
    std::fclose(out);
    return 0;
}
