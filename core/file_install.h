// Putting the product's files on disk: preparing the program folder, decoding every payload
// into its destination, stamping it, and keeping the installing page's counters current.
#pragma once

#include <windows.h>

// Controls of the installing page that the installation fills.
const int IDC_DESTINATION = 400;   // destination path of the current file
const int IDC_TOTAL_SIZE = 401;    // TotalBytes
const int IDC_CURRENT_SIZE = 402;  // DoneBytes
const int IDC_FILE_COUNT = 403;    // number of files
const int IDC_FILE_NUMBER = 404;   // number of the current file, from 1
const int IDC_PERCENT_BAR = 405;   // the self-painted percent bar

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
