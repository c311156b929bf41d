// Measuring text in a control's font outside of painting: widths of runs, the height of a
// line, and which character a horizontal position falls on.
#pragma once

#include <cstddef>
#include <string>

#include <windows.h>

namespace winsim::controls {

class TextMeasure {
public:
    TextMeasure(HWND hwnd, HFONT font);
    ~TextMeasure();
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    HDC dc() const { return dc_; }
    int width(const std::string& s) const;
    int width(const char* s, std::size_t n) const;
    // tmHeight of the font: the height of one line of text.
    int line_height() const;
    // The offset in `line` whose left edge is nearest to `x` pixels from the line's start.
    std::size_t index_at(const std::string& line, int x) const;

private:
    HWND hwnd_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

}  // namespace winsim::controls
