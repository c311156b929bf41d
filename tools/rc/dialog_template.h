// A dialog as the script describes it, and its binary template: DLGTEMPLATE with
// DLGITEMTEMPLATE items for DIALOG, the extended layout for DIALOGEX.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

// A menu, class or item text: absent, an ordinal (0xFFFF, value) or a text.
struct NameOrOrdinal {
    enum class Kind { None, Ordinal, Text } kind = Kind::None;
    std::uint16_t ordinal = 0;
    std::string text;  // Windows-1252

    static NameOrOrdinal of_ordinal(std::uint16_t value) { return {Kind::Ordinal, value, {}}; }
    static NameOrOrdinal of_text(std::string value) { return {Kind::Text, 0, std::move(value)}; }
};

// Ordinals of the predefined control classes.
const std::uint16_t CLASS_BUTTON = 0x0080;
const std::uint16_t CLASS_EDIT = 0x0081;
const std::uint16_t CLASS_STATIC = 0x0082;
const std::uint16_t CLASS_LISTBOX = 0x0083;
const std::uint16_t CLASS_SCROLLBAR = 0x0084;
const std::uint16_t CLASS_COMBOBOX = 0x0085;

struct DialogItem {
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    std::uint32_t help_id = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t id = 0;  // a classic template keeps the low 16 bits: -1 becomes 0xFFFF
    NameOrOrdinal window_class;
    NameOrOrdinal text;
};

struct DialogTemplate {
    bool extended = false;  // DIALOGEX
    std::uint32_t style = 0;
    std::uint32_t ex_style = 0;
    std::uint32_t help_id = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal window_class;
    std::string caption;
    bool has_font = false;
    std::uint16_t point_size = 0;
    std::uint16_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t charset = 1;
    std::string face;
    std::vector<DialogItem> items;
};

std::vector<std::uint8_t> encode_dialog(const DialogTemplate& dialog);

}  // namespace rc
