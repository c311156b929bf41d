// Placement of the pages, the product name in their captions and headings, the heading colour.
#include <string.h>

#include "wizard/page_frame.h"

#include "core/manifest.h"
#include "wizard/wizard_main.h"

const int FRAME_TEXT_READ_SIZE = 200;     // at most 199 characters are read
const int FRAME_TEXT_RESULT_SIZE = 220;   // room for 219 characters
const int FORMAT_SCRATCH_SIZE = 1024;     // wsprintfA never writes more

const int PANEL_WIDTH = 150;
const COLORREF HEADING_TEXT_COLOR = 0x800000;

void CopyTextIntoRoom(char* room, const char* text, int roomSize) {
    if (roomSize <= 0) return;
    int i = 0;
    for (; i < roomSize - 1 && text[i] != 0; i++) room[i] = text[i];
    room[i] = 0;
}

void CenterPage(HWND page, int mode) {
    RECT frame;
    GetWindowRect(page, &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    int x = (ScreenWidth - width + PANEL_WIDTH * mode) / 2;
    int y = (ScreenHeight - height) / 2;
    MoveWindow(page, x, y, width, height, FALSE);
}

// Replaces the "%s" of a caption (mode 1) or of the heading (mode 0) by the product name.
void ApplyProductName(HWND page, int mode) {
    HWND target = mode == APPLY_TO_CAPTION ? page : GetDlgItem(page, IDC_HEADING);
    char format[FRAME_TEXT_READ_SIZE];
    char scratch[FORMAT_SCRATCH_SIZE];
    char result[FRAME_TEXT_RESULT_SIZE];

    GetWindowTextA(target, format, FRAME_TEXT_READ_SIZE);
    wsprintfA(scratch, format, Manifest.ProductName);
    CopyTextIntoRoom(result, scratch, FRAME_TEXT_RESULT_SIZE);
    SetWindowTextA(target, result);
    if (mode == APPLY_TO_CAPTION) {
        HICON smallIcon = (HICON)LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON,
                                            16, 16, LR_DEFAULTCOLOR);
        SendMessageA(page, WM_SETICON, ICON_SMALL, (LPARAM)smallIcon);
    }
}

HBRUSH ColorHeadingText(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) != IDC_HEADING) return NULL;
    SetTextColor(dc, HEADING_TEXT_COLOR);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}
