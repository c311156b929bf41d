// The run-time record of the chosen folders, the group name and the progress counters.
#pragma once

#include <windows.h>

const int STATE_DIR_SIZE = 256;   // at most 255 characters and the terminator
const int GROUP_NAME_SIZE = 41;   // at most 40 characters and the terminator

struct InstallStateRecord {
    char ProgramDir[STATE_DIR_SIZE];   // chosen program folder; "." until chosen
    char WindowsDir[STATE_DIR_SIZE];   // the Windows directory, prettified
    char ProgramsDir[STATE_DIR_SIZE];  // the Start Menu Programs folder, prettified
    char GroupName[GROUP_NAME_SIZE];   // the Start Menu group
    DWORD TotalBytes;                  // sum of all uncompressed sizes
    DWORD DoneBytes;                   // never above TotalBytes
    WORD HalfPercent;                  // 0 to 200
};

extern InstallStateRecord InstallState;
