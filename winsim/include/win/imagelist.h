// Image lists: the system image list of small icons and their drawing.
#pragma once

#include "win/base.h"

struct _IMAGELIST;
typedef struct _IMAGELIST* HIMAGELIST;

// Drawing styles of ImageList_Draw.
#define ILD_NORMAL 0x0000
#define ILD_TRANSPARENT 0x0001
#define ILD_BLEND25 0x0002
#define ILD_FOCUS ILD_BLEND25
#define ILD_BLEND50 0x0004
#define ILD_SELECTED ILD_BLEND50
#define ILD_BLEND ILD_BLEND50
#define ILD_MASK 0x0010

#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

// Draws image `i` at (x, y): its masked pixels only, blended with the highlight colour for
// ILD_BLEND25 (a quarter) and ILD_BLEND50 (half).
BOOL WINAPI ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
int WINAPI ImageList_GetImageCount(HIMAGELIST himl);
