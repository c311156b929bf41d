// The program's own resources, for the services that load bitmaps, icons and dialogs.
#pragma once

#include <optional>
#include <span>

#include "win/kernel.h"
#include "winsim/resource_table.h"

namespace winsim::kernel {

// The handle GetModuleHandleA(NULL) answers: the program's own module.
HMODULE own_module();

// The resource of this type and name, each an integer (MAKEINTRESOURCE or "#123") or a
// text compared without regard to case. Null when there is none; sets no error.
const Resource* find_resource_entry(LPCSTR type, LPCSTR name);
std::optional<std::span<const unsigned char>> find_resource(LPCSTR type, LPCSTR name);

}  // namespace winsim::kernel
