// Program-wide state of the run: the module, the screen size read once at start-up.
#pragma once

#include <windows.h>

extern HINSTANCE AppInstance;
extern int ScreenWidth;   // pixels, read once at start-up
extern int ScreenHeight;  // pixels, read once at start-up

// The icon of both window classes and of the pages' caption.
const int IDI_INSTALLER = 100;
