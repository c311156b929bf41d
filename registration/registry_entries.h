// What the installation leaves in the registry, and the folder an earlier one recorded.
#pragma once

#include <windows.h>

// The size of the buffer LookupPreviousProgramDir fills.
const int PREVIOUS_DIR_SIZE = 260;

// Records the program folder, the version and the uninstall entry, and removes the
// product's auto-start value from the Run keys. Each step that cannot open its key is
// passed over; nothing is reported.
void RegisterProduct(void);

// Fills the buffer of PREVIOUS_DIR_SIZE bytes with the program folder that an earlier
// installation recorded; false when there is none that fits.
BOOL LookupPreviousProgramDir(LPSTR buffer);
