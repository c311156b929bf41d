// The Windows error for a failed host call.
#pragma once

#include "win/kernel.h"

namespace winsim::kernel {

DWORD error_from_errno(int error);

}  // namespace winsim::kernel
