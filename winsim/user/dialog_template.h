// A dialog template read from its binary form (DLGTEMPLATE or DLGTEMPLATEEX with their items).
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace winsim::user {

struct DialogItem {
    DWORD style = 0;
    DWORD ex_style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD id = 0;                        // an id of -1 reads as 0xFFFF
    std::string class_name;             // "Button", "Edit" ... for the predefined atoms
    std::string text;
    std::optional<WORD> text_ordinal;   // a resource named by number (an icon)
    const void* creation_data = nullptr;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD ex_style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string class_name;             // empty: the system dialog class
    std::optional<WORD> class_atom;
    std::string caption;
    bool has_font = false;
    WORD point_size = 0;
    WORD weight = 0;
    bool italic = false;
    std::string face;
    std::vector<DialogItem> items;
};

// Reads a template of at most `size` bytes; nothing when it is cut short or malformed.
std::optional<DialogTemplate> parse_dialog_template(const void* data, std::size_t size);

}  // namespace winsim::user
