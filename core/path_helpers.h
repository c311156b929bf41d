// Small routines the whole installer shares: composing paths, tidying the letter case of
// system paths, finding an extension, showing counts, and keeping a page responsive while
// long work runs. None allocates, keeps state or reports an error; every caller keeps the
// result inside its own buffer.
#pragma once

#include <windows.h>

// The output holds folder, one backslash unless the folder already ends in one, and name;
// between double quotes when quote is 1.
void JoinPath(LPSTR output, LPCSTR folder, LPCSTR name, int quote);

// The output holds the path of the shortcut file programs\group\shortcut.lnk; an empty
// group puts the shortcut straight into the Programs folder.
void MakeLinkPath(LPSTR output, LPCSTR programsFolder, LPCSTR groupName, LPCSTR shortcutName);

// Capitalises the first letter and every letter after a space or backslash; lowers the
// other ASCII capitals. Other bytes are left as they are.
void PrettifyCase(LPSTR text);

// The last full stop of the name, or NULL when it has none.
LPCSTR FindExtension(LPCSTR name);

// Shows the value with a comma between groups of three digits in the dialog's control.
void FormatThousands(HWND dialog, int controlId, DWORD value);

// Handles the messages of the window and its children, one per pass, until the duration
// in milliseconds has passed. It polls and never sleeps.
void PumpMessagesFor(HWND window, DWORD duration);
