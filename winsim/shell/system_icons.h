// The system image list: one small (16 x 16) and one large (32 x 32) list holding the same
// icons at the same indexes.
#pragma once

#include "win/imagelist.h"

namespace winsim::shell {

enum SystemIcon : int {
    IconGenericFile = 0,
    IconClosedFolder,
    IconOpenFolder,
    IconComputer,
    IconFloppyDrive,
    IconRemovableDrive,
    IconFixedDrive,
    IconCdromDrive,
    IconNetworkDrive,
    IconRamDisk,
    IconExecutable,
    IconTextDocument,
    SystemIconCount
};

// The list, made on first use; it lives as long as the process.
HIMAGELIST system_image_list(bool small);

}  // namespace winsim::shell
