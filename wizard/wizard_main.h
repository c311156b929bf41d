// Program-wide state of the run: the module, the screen size read once at start-up.
#pragma once

#include <windows.h>

#include "resources/resource.h"

extern HINSTANCE AppInstance;
extern int ScreenWidth;   // pixels, read once at start-up
extern int ScreenHeight;  // pixels, read once at start-up

