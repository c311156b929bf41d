// Turns one payload stream back into its file's bytes, written in 1024-byte blocks.
#pragma once

#include <windows.h>

// Told of every write with the byte count that the write reported as stored.
typedef void (*ProgressReportProc)(HWND page, DWORD storedBytes);

void DecodePayload(HWND page, const BYTE* stream, DWORD streamLength, DWORD outputLength,
                   HANDLE outputFile, ProgressReportProc progressReport);

// What the last DecodePayload found about its stream. The format has no end mark, so input
// that runs out before the output is complete, or bytes left over after it, are the only
// signs of a damaged stream.
struct PayloadCheck {
    DWORD InputUsed;     // stream bytes that held bits of the codes, 0 to streamLength
    DWORD InputMissing;  // bytes the codes needed beyond the stream's end, read as zero bits
    DWORD InputLeftOver; // stream bytes after the last one used, 0 to streamLength
    DWORD OutputStored;  // sum of the counts the writes reported as stored
};

void GetPayloadCheck(PayloadCheck* check);
