// Paths handed to the kernel API: made absolute against the process's current folder and
// mapped onto the machine, with the Windows error when they cannot be.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "host/prefix.h"
#include "win/kernel.h"

namespace winsim::kernel {

// The current folder of the process: the Windows path of the host working folder when it
// lies on a drive of the machine, else the root of C:.
std::string current_folder();

// `path` as an absolute "X:\..." path; empty when it cannot be (a network path, "").
std::string absolute_path(std::string_view path);

// Maps `path`; on failure sets the last error (ERROR_PATH_NOT_FOUND, ERROR_INVALID_NAME,
// ERROR_NOT_READY for a drive without its medium) and answers null.
std::optional<host::HostPath> resolve_api_path(const char* path);

// The error for a path that names nothing: the file is missing, or already its folder is.
DWORD missing_error(const host::HostPath& path);

}  // namespace winsim::kernel
