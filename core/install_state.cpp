// The one run-time record of the installation: texts start as ".", counters at 0.
#include "core/install_state.h"

InstallStateRecord InstallState = {
    ".",  // ProgramDir
    ".",  // WindowsDir
    ".",  // ProgramsDir
    ".",  // GroupName
    0,    // TotalBytes
    0,    // DoneBytes
    0,    // HalfPercent
};
