#include "gdi/text_layout.h"

#include <algorithm>

namespace winsim::gdi {

namespace {

constexpr int kTabColumns = 8;

}  // namespace

TextLayout::TextLayout(const RealizedFont& font, const char* text, int count, UINT format,
                       int wrap_width)
    : font_(font), format_(format) {
    bool prefixes = (format & DT_NOPREFIX) == 0;
    bool single = (format & DT_SINGLELINE) != 0;
    std::string paragraph;
    std::vector<int> marks;
    for (int i = 0; i < count; ++i) {
        char c = text[i];
        if (prefixes && c == '&') {
            if (i + 1 < count && text[i + 1] == '&') {
                paragraph.push_back('&');
                ++i;
            } else if (i + 1 < count) {
                marks.push_back(static_cast<int>(paragraph.size()));
            }
            continue;
        }
        if (!single && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < count && text[i + 1] == '\n') ++i;
            add_paragraph(std::move(paragraph), std::move(marks), wrap_width);
            paragraph.clear();
            marks.clear();
            continue;
        }
        paragraph.push_back(c);
    }
    add_paragraph(std::move(paragraph), std::move(marks), wrap_width);
}

int TextLayout::advance(unsigned char ch, int x) const {
    if (ch == '\t' && (format_ & DT_EXPANDTABS)) {
        int stop = kTabColumns * std::max(1, font_.average_width());
        return (x / stop + 1) * stop - x;
    }
    return font_.glyph(ch).advance;
}

int TextLayout::measure(const std::string& text, std::size_t from, std::size_t to) const {
    int x = 0;
    for (std::size_t i = from; i < to; ++i) x += advance(static_cast<unsigned char>(text[i]), x);
    return x;
}

std::vector<int> TextLayout::offsets(const TextLine& line) const {
    std::vector<int> out;
    out.reserve(line.text.size() + 1);
    int x = 0;
    for (unsigned char ch : line.text) {
        out.push_back(x);
        x += advance(ch, x);
    }
    out.push_back(x);
    return out;
}

void TextLayout::push_line(std::string text, std::vector<int> marks) {
    TextLine line;
    line.width = measure(text, 0, text.size());
    line.text = std::move(text);
    line.underlined = std::move(marks);
    lines_.push_back(std::move(line));
}

void TextLayout::add_paragraph(std::string text, std::vector<int> marks, int wrap_width) {
    bool wrap = (format_ & DT_WORDBREAK) && !(format_ & DT_SINGLELINE);
    if (!wrap || measure(text, 0, text.size()) <= wrap_width) {
        push_line(std::move(text), std::move(marks));
        return;
    }
    // Greedy: take words while they fit; a word wider than a whole line is broken after
    // the last character that fits (at least one character per line).
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;     // end of the words taken so far
        std::size_t scan = start;
        while (scan < text.size()) {
            std::size_t word_end = scan;
            while (word_end < text.size() && text[word_end] == ' ') ++word_end;
            while (word_end < text.size() && text[word_end] != ' ') ++word_end;
            if (measure(text, start, word_end) > wrap_width) {
                if (end == start) {
                    end = start + 1;
                    while (end < word_end && measure(text, start, end + 1) <= wrap_width) ++end;
                }
                break;
            }
            end = word_end;
            scan = word_end;
        }
        std::string piece = text.substr(start, end - start);
        while (!piece.empty() && piece.back() == ' ') piece.pop_back();
        std::vector<int> piece_marks;
        for (int m : marks)
            if (m >= static_cast<int>(start) && m < static_cast<int>(start + piece.size()))
                piece_marks.push_back(m - static_cast<int>(start));
        push_line(std::move(piece), std::move(piece_marks));
        start = end;
        while (start < text.size() && text[start] == ' ') ++start;
    }
}

int TextLayout::widest() const {
    int w = 0;
    for (const TextLine& line : lines_) w = std::max(w, line.width);
    return w;
}

}  // namespace winsim::gdi
