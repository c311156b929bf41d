// The frame every page shares: placement, the product name in its texts, the heading colour.
#pragma once

#include <windows.h>

#include "resources/resource.h"

const int CENTER_ON_SCREEN = 0;
const int CENTER_RIGHT_OF_PANEL = 1;

const int APPLY_TO_HEADING = 0;
const int APPLY_TO_CAPTION = 1;


// Copies as much of the text as its room holds, always ending it with a terminator.
void CopyTextIntoRoom(char* room, const char* text, int roomSize);

void CenterPage(HWND page, int mode);
void ApplyProductName(HWND page, int mode);
HBRUSH ColorHeadingText(HDC dc, HWND control);
