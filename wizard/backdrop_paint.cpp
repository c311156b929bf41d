// The backdrop's picture: band, banner and rule across the top, the dark left panel with
// the step labels and a picture, the ruled white work area, the shadowed title and tagline.
#include <string.h>

#include "wizard/backdrop_paint.h"

#include <shlobj.h>

#include "core/manifest.h"
#include "wizard/backdrop_window.h"
#include "wizard/page_frame.h"
#include "wizard/wizard_main.h"

const int TITLE_TEXT_SIZE = 30;    // room for 29 characters
const int TAGLINE_TEXT_SIZE = 60;  // room for 59 characters
const int FORMAT_SCRATCH_SIZE = 1024;  // wsprintfA never writes more

const int BANNER_BITMAP = 202;
const int BAND_BITMAP = 203;
const int RULE_BITMAP = 204;
const int PANEL_PICTURE_BITMAP = 201;

const int BANNER_WIDTH = 334;
const int BAND_HEIGHT = 58;
const int PANEL_WIDTH = 150;
const int PANEL_PICTURE_WIDTH = 120;
const int PANEL_PICTURE_HEIGHT = 168;
const COLORREF PANEL_PICTURE_KEY = 0x808000;  // background of the panel picture

struct BackdropStyleRecord {
    char TitleText[TITLE_TEXT_SIZE];
    char TaglineText[TAGLINE_TEXT_SIZE];
    LOGFONTA TitleFont;
    LOGFONTA TaglineFont;
    LOGFONTA StepFont;
    COLORREF TitleColors[4];    // top layer first
    COLORREF TaglineColors[3];  // bottom layer first
    COLORREF HighlightedStepColor;
    COLORREF PlainStepColor;
    COLORREF PanelColor;
    COLORREF LineColor;
    HGLOBAL BannerCopy;
    HGLOBAL BandCopy;
    HGLOBAL RuleCopy;
    HPALETTE Palette;
};

static BackdropStyleRecord BackdropStyle;
HIMAGELIST SmallIconList;
ListColorSet ListColors;

struct StepLabel {
    DWORD bit;
    int y;
    const char* text;
};

static const StepLabel STEP_LABELS[] = {
    {STEP_LICENSE, 120, "- License Agreement"},
    {STEP_LOCATION, 138, "- Program Location"},
    {STEP_FILES, 156, "- Installing Files"},
    {STEP_GROUP, 174, "- Program Group"},
    {STEP_SHORTCUTS, 192, "- Creating Shortcuts"},
    {STEP_README, 210, "- View Read Me"},
    {STEP_FINISHED, 228, "- Finished"},
};

// Formats a text of one or two product fields into its room, cutting what does not fit.
static void FormatIntoRoom(char* room, int roomSize, const char* format, const char* first,
                           const char* second) {
    char scratch[FORMAT_SCRATCH_SIZE];
    wsprintfA(scratch, format, first, second);
    CopyTextIntoRoom(room, scratch, roomSize);
}

static void FillFontDescriptions(void) {
    LOGFONTA* title = &BackdropStyle.TitleFont;
    int titleLength = (int)strlen(BackdropStyle.TitleText);
    int taglineLength = (int)strlen(BackdropStyle.TaglineText);

    ZeroMemory(title, sizeof(*title));
    title->lfHeight = 64;
    title->lfWidth = titleLength > 0 ? (ScreenWidth / 3) / titleLength : 0;
    title->lfWeight = FW_BOLD;
    title->lfCharSet = ANSI_CHARSET;
    title->lfOutPrecision = OUT_CHARACTER_PRECIS;
    title->lfClipPrecision = CLIP_DEFAULT_PRECIS;
    title->lfQuality = PROOF_QUALITY;
    title->lfPitchAndFamily = FF_SCRIPT | VARIABLE_PITCH;
    strcpy(title->lfFaceName, "Comic Sans MS");

    BackdropStyle.TaglineFont = *title;
    int taglineDivisor = (int)(1.5 * taglineLength);
    BackdropStyle.TaglineFont.lfHeight = ScreenHeight / 18;
    BackdropStyle.TaglineFont.lfWidth = taglineDivisor > 0 ? ScreenWidth / taglineDivisor : 0;
    BackdropStyle.TaglineFont.lfWeight = FW_NORMAL;
    strcpy(BackdropStyle.TaglineFont.lfFaceName, "Arial");

    BackdropStyle.StepFont = *title;
    BackdropStyle.StepFont.lfHeight = -11;
    BackdropStyle.StepFont.lfWidth = 0;
    BackdropStyle.StepFont.lfWeight = FW_BOLD;
    BackdropStyle.StepFont.lfPitchAndFamily = FF_SWISS | VARIABLE_PITCH;
    strcpy(BackdropStyle.StepFont.lfFaceName, "Ms Sans Serif");
}

static void SetBackdropColors(void) {
    BackdropStyle.TitleColors[0] = 0xFFA080;
    BackdropStyle.TitleColors[1] = 0x503228;
    BackdropStyle.TitleColors[2] = 0x3C251E;
    BackdropStyle.TitleColors[3] = 0x2D1C16;
    BackdropStyle.TaglineColors[0] = 0x800000;
    BackdropStyle.TaglineColors[1] = 0xA00000;
    BackdropStyle.TaglineColors[2] = 0xFF0000;
    BackdropStyle.HighlightedStepColor = 0xFFD8CF;
    BackdropStyle.PlainStepColor = 0xFF886F;
    BackdropStyle.PanelColor = 0x601800;
    BackdropStyle.LineColor = 0xFFF8F8;

    ListColors.SelectedText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    ListColors.SelectedBackground = GetSysColor(COLOR_HIGHLIGHT);
    ListColors.Text = GetSysColor(COLOR_WINDOWTEXT);
    ListColors.Background = GetSysColor(COLOR_WINDOW);
}

// Loads one bitmap copy; the first copy with a colour table gives the palette.
static HGLOBAL LoadBitmapCopyWithPalette(int bitmapId) {
    HGLOBAL copy = LoadDibCopy(bitmapId);
    if (copy != NULL && BackdropStyle.Palette == NULL) BackdropStyle.Palette = CreateDibPalette(copy);
    return copy;
}

void InitBackdropStyle(HWND backdrop) {
    (void)backdrop;
    SHFILEINFOA fileInfo;

    FormatIntoRoom(BackdropStyle.TitleText, TITLE_TEXT_SIZE, "%s v%s", Manifest.ProductName,
                   Manifest.ProductVersion);
    FormatIntoRoom(BackdropStyle.TaglineText, TAGLINE_TEXT_SIZE, "%s - %s", Manifest.ProductName,
                   Manifest.Tagline);
    SmallIconList = (HIMAGELIST)SHGetFileInfoA(".", 0, &fileInfo, sizeof(fileInfo),
                                               SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    FillFontDescriptions();
    SetBackdropColors();
    BackdropStyle.BannerCopy = LoadBitmapCopyWithPalette(BANNER_BITMAP);
    BackdropStyle.BandCopy = LoadBitmapCopyWithPalette(BAND_BITMAP);
    BackdropStyle.RuleCopy = LoadBitmapCopyWithPalette(RULE_BITMAP);
}

static void FreeCopy(HGLOBAL* copy) {
    if (*copy != NULL) GlobalFree(*copy);
    *copy = NULL;
}

void ReleaseBackdropStyle(void) {
    FreeCopy(&BackdropStyle.BannerCopy);
    FreeCopy(&BackdropStyle.BandCopy);
    FreeCopy(&BackdropStyle.RuleCopy);
    if (BackdropStyle.Palette != NULL) DeleteObject(BackdropStyle.Palette);
    BackdropStyle.Palette = NULL;
}

WORD DibColorCount(const BITMAPINFOHEADER* header) {
    if (header->biClrUsed != 0) return LOWORD(header->biClrUsed);
    switch (header->biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    }
    return 0;
}

const BYTE* DibBits(const BITMAPINFOHEADER* header) {
    return (const BYTE*)header + LOWORD(header->biSize) + 4 * DibColorCount(header);
}

HGLOBAL LoadDibCopy(int bitmapId) {
    HRSRC found = FindResourceA(AppInstance, MAKEINTRESOURCEA(bitmapId), RT_BITMAP);
    if (found == NULL) return NULL;
    HGLOBAL loaded = LoadResource(AppInstance, found);
    const void* bytes = LockResource(loaded);
    DWORD size = SizeofResource(AppInstance, found);
    if (bytes == NULL) return NULL;

    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == NULL) return NULL;
    void* target = GlobalLock(copy);
    CopyMemory(target, bytes, size);
    GlobalUnlock(copy);
    return copy;
}

HPALETTE CreateDibPalette(HGLOBAL copy) {
    const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)GlobalLock(copy);
    if (header == NULL) return NULL;
    WORD colorCount = DibColorCount(header);
    if (colorCount == 0) {
        GlobalUnlock(copy);
        return NULL;
    }
    HGLOBAL paletteBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4 * colorCount + 8);
    if (paletteBlock == NULL) {
        GlobalUnlock(copy);
        return NULL;
    }
    LOGPALETTE* description = (LOGPALETTE*)GlobalLock(paletteBlock);
    description->palVersion = 0x300;
    description->palNumEntries = colorCount;
    const BYTE* colorTable = (const BYTE*)header + sizeof(BITMAPINFOHEADER);
    for (int i = 0; i < colorCount; i++) {
        description->palPalEntry[i].peRed = colorTable[4 * i + 2];
        description->palPalEntry[i].peGreen = colorTable[4 * i + 1];
        description->palPalEntry[i].peBlue = colorTable[4 * i + 0];
        description->palPalEntry[i].peFlags = 0;
    }
    HPALETTE palette = CreatePalette(description);
    GlobalUnlock(paletteBlock);
    GlobalFree(paletteBlock);
    GlobalUnlock(copy);
    return palette;
}

static HPALETTE SelectForegroundPalette(HDC dc, HPALETTE palette) {
    if (palette == NULL) return NULL;
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    return previous;
}

static void RestorePalette(HDC dc, HPALETTE previous) {
    if (previous == NULL) return;
    SelectPalette(dc, previous, TRUE);
    RealizePalette(dc);
}

int DrawDib(HDC dc, int x, int y, HGLOBAL copy, HPALETTE palette) {
    const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)GlobalLock(copy);
    if (header == NULL) return 0;
    WORD width = (WORD)header->biWidth;
    WORD height = (WORD)header->biHeight;
    HPALETTE previous = SelectForegroundPalette(dc, palette);
    SetDIBitsToDevice(dc, x, y, width, height, 0, 0, 0, height, DibBits(header),
                      (const BITMAPINFO*)header, DIB_RGB_COLORS);
    RestorePalette(dc, previous);
    GlobalUnlock(copy);
    return 1;
}

int StretchDib(HDC dc, int x, int y, int width, int height, HGLOBAL copy, HPALETTE palette) {
    const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)GlobalLock(copy);
    if (header == NULL) return 0;
    WORD sourceWidth = (WORD)header->biWidth;
    WORD sourceHeight = (WORD)header->biHeight;
    HPALETTE previous = SelectForegroundPalette(dc, palette);
    StretchDIBits(dc, x, y, width, height, 0, 0, sourceWidth, sourceHeight, DibBits(header),
                  (const BITMAPINFO*)header, DIB_RGB_COLORS, SRCCOPY);
    RestorePalette(dc, previous);
    GlobalUnlock(copy);
    return 1;
}

static void DrawTopBand(HDC dc) {
    if (BackdropStyle.BandCopy != NULL)
        StretchDib(dc, 0, 0, ScreenWidth - BANNER_WIDTH, BAND_HEIGHT, BackdropStyle.BandCopy,
                   BackdropStyle.Palette);
    if (BackdropStyle.BannerCopy != NULL)
        DrawDib(dc, ScreenWidth - BANNER_WIDTH, 0, BackdropStyle.BannerCopy, BackdropStyle.Palette);
    if (BackdropStyle.RuleCopy != NULL)
        StretchDib(dc, PANEL_WIDTH, BAND_HEIGHT, ScreenWidth - PANEL_WIDTH, 2,
                   BackdropStyle.RuleCopy, BackdropStyle.Palette);
}

static void DrawPanelAndWorkArea(HDC dc) {
    RECT panel = {0, BAND_HEIGHT, PANEL_WIDTH, ScreenHeight};
    HBRUSH panelBrush = CreateSolidBrush(BackdropStyle.PanelColor);
    FillRect(dc, &panel, panelBrush);
    DeleteObject(panelBrush);

    RECT workArea = {PANEL_WIDTH, BAND_HEIGHT + 2, ScreenWidth, ScreenHeight};
    FillRect(dc, &workArea, (HBRUSH)GetStockObject(WHITE_BRUSH));

    HPEN linePen = CreatePen(PS_INSIDEFRAME, 2, BackdropStyle.LineColor);
    HGDIOBJ previousPen = SelectObject(dc, linePen);
    for (int y = 63; y < ScreenHeight; y += 4) {
        MoveToEx(dc, PANEL_WIDTH + 1, y, NULL);
        LineTo(dc, ScreenWidth, y);
    }
    SelectObject(dc, previousPen);
    DeleteObject(linePen);
}

// The panel picture, its background repainted in the panel colour by a flood fill.
static void DrawPanelPicture(HDC dc) {
    HDC pictureDc = CreateCompatibleDC(dc);
    HBITMAP picture = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(PANEL_PICTURE_BITMAP));
    HGDIOBJ previousBitmap = SelectObject(pictureDc, picture);
    HBRUSH panelBrush = CreateSolidBrush(BackdropStyle.PanelColor);
    HGDIOBJ previousBrush = SelectObject(pictureDc, panelBrush);
    ExtFloodFill(pictureDc, 1, 1, PANEL_PICTURE_KEY, FLOODFILLSURFACE);
    BitBlt(dc, 16, ScreenHeight - 180, PANEL_PICTURE_WIDTH, PANEL_PICTURE_HEIGHT, pictureDc, 0, 0,
           SRCCOPY);
    SelectObject(pictureDc, previousBitmap);
    SelectObject(pictureDc, previousBrush);
    DeleteObject(picture);
    DeleteObject(panelBrush);
    DeleteDC(pictureDc);
}

// Selects a new font and deletes the one it replaces (the previous font of this paint).
static void SwitchFont(HDC dc, HGDIOBJ font) { DeleteObject(SelectObject(dc, font)); }

static void DrawTitle(HDC dc) {
    int length = (int)strlen(BackdropStyle.TitleText);
    for (int layer = 0; layer < 4; layer++) {
        SetTextColor(dc, BackdropStyle.TitleColors[3 - layer]);
        TextOutA(dc, 11 - layer, -3 - layer, BackdropStyle.TitleText, length);
    }
}

static void DrawTagline(HDC dc) {
    int length = (int)strlen(BackdropStyle.TaglineText);
    SIZE extent;
    GetTextExtentPointA(dc, BackdropStyle.TaglineText, length, &extent);
    int x0 = ScreenWidth - extent.cx - 32;
    int y0 = ScreenHeight - extent.cy - 16;
    for (int layer = 0; layer < 3; layer++) {
        SetTextColor(dc, BackdropStyle.TaglineColors[layer]);
        TextOutA(dc, x0 + layer, y0 + layer, BackdropStyle.TaglineText, length);
    }
}

static void DrawStepLabels(HDC dc) {
    BYTE highlighted = LOBYTE(StepIndicator);
    for (const StepLabel& label : STEP_LABELS) {
        SetTextColor(dc, (highlighted & label.bit) ? BackdropStyle.HighlightedStepColor
                                                   : BackdropStyle.PlainStepColor);
        TextOutA(dc, 10, label.y, label.text, (int)strlen(label.text));
    }
}

static void DrawBackdrop(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    DrawTopBand(dc);
    DrawPanelAndWorkArea(dc);
    DrawPanelPicture(dc);

    SelectObject(dc, CreateFontIndirectA(&BackdropStyle.TitleFont));
    DrawTitle(dc);
    SwitchFont(dc, CreateFontIndirectA(&BackdropStyle.TaglineFont));
    DrawTagline(dc);
    SwitchFont(dc, CreateFontIndirectA(&BackdropStyle.StepFont));
    DrawStepLabels(dc);
    SwitchFont(dc, GetStockObject(SYSTEM_FONT));
    SetTextColor(dc, 0xFFAFAF);
    TextOutA(dc, 10, 100, "Tarrowin:", 9);
}

void PaintBackdrop(HWND backdrop) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(backdrop, &paint);
    DrawBackdrop(dc);
    EndPaint(backdrop, &paint);
}
