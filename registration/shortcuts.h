// The shortcut page: creates the Start Menu group and one shell link per shortcut entry.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ShortcutsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
BOOL CreateShortcuts(HWND page);
void CreateShellLink(const char* target, const char* workingFolder, const char* linkFile,
                     const char* description);
