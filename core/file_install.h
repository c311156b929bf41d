// Putting the product's files on disk: preparing the program folder, decoding every payload
// into its destination, stamping it, and keeping the installing page's counters current.
#pragma once

#include <windows.h>

// The installing page's controls that the installation fills (400 to 405).
#include "resources/resource.h"

// Paths composed by the installation and its clean-out: at most 259 characters.
const int INSTALL_PATH_SIZE = 260;

// 1 when every entry was written or skipped; -1 after the error box when one could not be.
int InstallFiles(HWND page);

// Counts bytes as done, moves HalfPercent and repaints the percent bar when it changes.
void AdvanceProgress(HWND page, DWORD bytes);

BOOL PathExists(LPCSTR path);

// True when JoinPath of folder and name fits a buffer of INSTALL_PATH_SIZE bytes.
BOOL JoinedPathFits(LPCSTR folder, LPCSTR name);

// Creates every missing level of an absolute path X:\..., from the top down.
void MakeDirectoryChain(LPCSTR path);

// Deletes every file beneath the folder except those on the keep list; folders stay.
BOOL CleanOutFolder(LPCSTR folder);

// True unless the name's extension is on the keep list.
BOOL ShouldDeleteFile(LPCSTR name);

// True when the entry is to be written to the destination: always-write, or the
// destination cannot be opened for reading.
BOOL ShouldWriteFile(LPCSTR destination, int index);
