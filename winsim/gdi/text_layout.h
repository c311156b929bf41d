// DrawText's arrangement of a text into lines: mnemonic prefixes, hard line breaks, tabs
// and word wrapping, and each line's width in a realised font.
#pragma once

#include <string>
#include <vector>

#include "gdi/realized_font.h"
#include "win/gdi.h"

namespace winsim::gdi {

struct TextLine {
    std::string text;                 // prefixes removed
    std::vector<int> underlined;      // positions in `text` of mnemonic characters
    int width = 0;
};

class TextLayout {
public:
    // `wrap_width` counts only with DT_WORDBREAK.
    TextLayout(const RealizedFont& font, const char* text, int count, UINT format, int wrap_width);

    const std::vector<TextLine>& lines() const { return lines_; }
    int line_height() const { return font_.height(); }
    int widest() const;

    // Pixel offset of each character of a line from its start (tabs expanded when asked),
    // plus the line's end.
    std::vector<int> offsets(const TextLine& line) const;

private:
    int advance(unsigned char ch, int x) const;
    int measure(const std::string& text, std::size_t from, std::size_t to) const;
    void add_paragraph(std::string text, std::vector<int> marks, int wrap_width);
    void push_line(std::string text, std::vector<int> marks);

    const RealizedFont& font_;
    UINT format_;
    std::vector<TextLine> lines_;
};

}  // namespace winsim::gdi
