// The REGEDIT4 text form of one hive: "REGEDIT4", then a [ROOT\path] section per key with
// its "name"="data" lines. Strings are Windows-1252 bytes with \\ and \" escaped; other data
// is dword:XXXXXXXX or hex(type):bytes, continued over lines by a trailing backslash.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "registry/registry_key.h"

namespace winsim::registry {

struct RegeditParse {
    std::unique_ptr<RegistryKey> root;  // null when the text cannot be read
    int error_line = 0;                 // 1-based line of the first fault
    std::string error;                  // what is wrong on that line
};

// Reads a hive whose sections must all start with `root_name` (HKEY_LOCAL_MACHINE ...).
RegeditParse parse_regedit(std::string_view text, std::string_view root_name);

// Writes `root` so that parse_regedit gives back an equal tree.
std::string format_regedit(const RegistryKey& root);

}  // namespace winsim::registry
