// Write handles for our own tools and tests, outside the simulated drives.
#pragma once

#include <filesystem>
#include <vector>

#include "win/kernel.h"

namespace winsim::kernel {

// A write handle over a host file, created or truncated; INVALID_HANDLE_VALUE (with the
// last error set) when it cannot be opened.
HANDLE open_host_output(const std::filesystem::path& host_path);

// A write handle whose WriteFile calls append to `sink`, which must outlive the handle.
HANDLE open_memory_output(std::vector<unsigned char>& sink);

}  // namespace winsim::kernel
