// What the shell knows of a drive's volume: its type, serial number and label.
#pragma once

#include "shell/link_file.h"

namespace winsim::shell {

// The volume of drive `letter` (upper case), or nothing when the drive does not exist.
std::optional<LinkVolume> volume_of(char letter);

}  // namespace winsim::shell
