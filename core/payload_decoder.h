// Turns one payload stream back into its file's bytes, written in 1024-byte blocks.
#pragma once

#include <windows.h>

// Told of every write with the byte count that the write reported as stored.
typedef void (*ProgressReportProc)(HWND page, DWORD storedBytes);

void DecodePayload(HWND page, const BYTE* stream, DWORD streamLength, DWORD outputLength,
                   HANDLE outputFile, ProgressReportProc progressReport);
