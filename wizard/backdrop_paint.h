// What the backdrop shows and the drawing resources behind it.
#pragma once

#include <windows.h>
#include <commctrl.h>

// Colours of the two owner-drawn lists, read once when the backdrop is created.
struct ListColorSet {
    COLORREF SelectedText;        // COLOR_HIGHLIGHTTEXT
    COLORREF SelectedBackground;  // COLOR_HIGHLIGHT
    COLORREF Text;                // COLOR_WINDOWTEXT
    COLORREF Background;          // COLOR_WINDOW
};

extern HIMAGELIST SmallIconList;  // the shell's system image list of small icons
extern ListColorSet ListColors;

void InitBackdropStyle(HWND backdrop);
void PaintBackdrop(HWND backdrop);
void ReleaseBackdropStyle(void);

// Device-independent bitmaps kept as copies of their resources in global memory.
WORD DibColorCount(const BITMAPINFOHEADER* header);
const BYTE* DibBits(const BITMAPINFOHEADER* header);
HGLOBAL LoadDibCopy(int bitmapId);
HPALETTE CreateDibPalette(HGLOBAL copy);
int DrawDib(HDC dc, int x, int y, HGLOBAL copy, HPALETTE palette);
int StretchDib(HDC dc, int x, int y, int width, int height, HGLOBAL copy, HPALETTE palette);
