// The Windows attributes of host files. Read-only is the missing owner write bit, which
// winsim itself enforces (root is not stopped by host permissions); hidden, system and
// archive live in the extended attribute user.DOSATTRIB ("0x22"), and the creation time,
// which the host does not keep, in user.winsim.creation (a FILETIME in decimal).
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "win/kernel.h"

namespace winsim::kernel {

inline constexpr DWORD kStoredFlags = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

inline bool is_read_only(const struct stat& st) { return (st.st_mode & S_IWUSR) == 0; }
inline bool is_readable(const struct stat& st) { return (st.st_mode & S_IRUSR) != 0; }

// The attributes of whatever is at `path` (a symbolic link as a reparse point), or null.
std::optional<DWORD> read_attributes(const std::filesystem::path& path);

// Sets read-only, hidden, system and archive as `attributes` says; others are ignored.
bool write_attributes(const std::filesystem::path& path, DWORD attributes);
// The hidden, system and archive flags of an open file.
void write_stored_flags(int fd, DWORD attributes);

// The creation time kept beside the attributes; the host's birth time, else its last
// write time, when none was kept.
FILETIME read_creation_time(const std::filesystem::path& path);
void write_creation_time(int fd, const FILETIME& time);

}  // namespace winsim::kernel
