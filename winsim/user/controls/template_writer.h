// Writes a classic in-memory dialog template (DLGTEMPLATE with DLGITEMTEMPLATE items) for
// DialogBoxIndirectParamA, the way a resource compiler lays one out.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace winsim::controls {

class TemplateWriter {
public:
    // Predefined classes of dialog items, written as ordinals.
    static constexpr WORD button_class = 0x0080;
    static constexpr WORD static_class = 0x0082;

    // `x`, `y`, `cx`, `cy` in dialog units; the font is written when the style has DS_SETFONT.
    TemplateWriter(DWORD style, short x, short y, short cx, short cy, const std::string& title,
                   WORD point_size, const std::string& face);

    void add_item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD class_ordinal,
                  const std::string& text);
    // An item of a class known by name, such as "msctls_progress32".
    void add_item(DWORD style, short x, short y, short cx, short cy, WORD id, const std::string& class_name,
                  const std::string& text);

    const DLGTEMPLATE* data() const;

private:
    void put(WORD w) { words_.push_back(w); }
    void put_dword(DWORD d);
    void put_text(const std::string& ascii);
    void align_dword();
    void begin_item(DWORD style, short x, short y, short cx, short cy, WORD id);
    void end_item(const std::string& text);

    std::vector<WORD> words_;
};

}  // namespace winsim::controls
