#include "user/controls/text_metrics.h"

namespace winsim::controls {

TextMeasure::TextMeasure(HWND hwnd, HFONT font) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
    if (dc_) previous_ = SelectObject(dc_, font);
}

TextMeasure::~TextMeasure() {
    if (!dc_) return;
    if (previous_) SelectObject(dc_, previous_);
    ReleaseDC(hwnd_, dc_);
}

int TextMeasure::width(const char* s, std::size_t n) const {
    if (!dc_ || n == 0) return 0;
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc_, s, static_cast<int>(n), &size);
    return size.cx;
}

int TextMeasure::width(const std::string& s) const { return width(s.data(), s.size()); }

int TextMeasure::line_height() const {
    TEXTMETRICA tm{};
    if (!dc_ || !GetTextMetricsA(dc_, &tm)) return 13;
    return tm.tmHeight;
}

std::size_t TextMeasure::index_at(const std::string& line, int x) const {
    if (x <= 0) return 0;
    int previous = 0;
    for (std::size_t i = 1; i <= line.size(); ++i) {
        int w = width(line.data(), i);
        if (x < w) return x - previous < w - x ? i - 1 : i;
        previous = w;
    }
    return line.size();
}

}  // namespace winsim::controls
