// MessageBoxA: a modal dialog built in memory from the text, the caption and the MB_ flags,
// sized to its text, with the system icon of its kind and one to three buttons.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace winsim::controls {

struct MessageBoxButton {
    int id;
    const char* label;
};

// The buttons of an MB_ type (OK, OK Cancel, Yes No ...), left to right; empty when unknown.
std::vector<MessageBoxButton> message_box_buttons(UINT type);

// Where the parts of a box lie, in dialog units, for a text (and caption) of a given size in
// pixels. Kept apart from the running box so that the arithmetic can be checked on its own.
struct MessageBoxLayout {
    RECT icon;             // empty when the box has no icon
    RECT text;
    std::vector<RECT> buttons;
    SIZE size;             // the dialog's client area
};
MessageBoxLayout lay_out_message_box(SIZE text_pixels, int caption_pixels, bool has_icon, int button_count);

// The box's icon for MB_ICON... flags (IDI_ name), or null for none.
LPCSTR message_box_icon(UINT type);

// Whether Escape (and the close box) end the box: with a Cancel button or the single OK.
bool message_box_escapes(UINT type);

}  // namespace winsim::controls
