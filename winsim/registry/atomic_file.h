// Replaces a file so that a crash at any moment leaves either the old or the new content:
// the bytes go to a temporary file beside it, which is flushed to the disk and renamed over.
#pragma once

#include <filesystem>
#include <string_view>

namespace winsim::registry {

bool write_file_atomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace winsim::registry
