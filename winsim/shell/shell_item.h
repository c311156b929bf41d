// What the shell shows for a location: its display name and its icon.
#pragma once

#include <optional>
#include <string>

#include "shell/item_id_list.h"
#include "win/base.h"

namespace winsim::shell {

struct ItemLook {
    std::string display_name;
    int icon = 0;  // index in the system image list
};

// Looks at the location on the machine; nothing when it does not exist.
std::optional<ItemLook> look_of(const ShellLocation& location, bool open);
// Takes the path as a file (or, with FILE_ATTRIBUTE_DIRECTORY, a folder) without looking
// at the disk: the last component as the name, the generic icon of its kind.
ItemLook look_from_attributes(const std::string& path, DWORD attributes, bool open);

}  // namespace winsim::shell
