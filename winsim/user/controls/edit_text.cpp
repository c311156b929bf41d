#include "user/controls/edit_text.h"

#include <algorithm>

namespace winsim::controls {

namespace {

// The largest limit an edit control accepts.
constexpr std::size_t largest_limit = 0x7FFFFFFE;

bool is_break_at(const std::string& s, std::size_t pos) {
    return pos + 1 < s.size() && s[pos] == '\r' && s[pos + 1] == '\n';
}

}  // namespace

void EditText::set_text(std::string text) {
    text_ = std::move(text);
    caret_ = anchor_ = 0;
    reindex();
}

void EditText::set_limit(std::size_t limit) { limit_ = limit == 0 ? largest_limit : limit; }

std::size_t EditText::clamp(std::size_t pos) const {
    pos = std::min(pos, text_.size());
    if (pos > 0 && is_break_at(text_, pos - 1)) --pos;
    return pos;
}

void EditText::select(std::size_t anchor, std::size_t caret) {
    anchor_ = clamp(anchor);
    caret_ = clamp(caret);
}

bool EditText::replace_selection(const std::string& s) {
    std::size_t from = selection_start();
    std::size_t to = selection_end();
    std::size_t kept = text_.size() - (to - from);
    std::size_t room = kept >= limit_ ? 0 : limit_ - kept;
    std::string piece = s.substr(0, std::min(room, s.size()));
    // A line break is never split in half by the limit.
    if (!piece.empty() && piece.size() < s.size() && piece.back() == '\r' && s[piece.size()] == '\n')
        piece.pop_back();
    text_.replace(from, to - from, piece);
    caret_ = anchor_ = from + piece.size();
    reindex();
    return piece.size() == s.size();
}

void EditText::erase_range(std::size_t from, std::size_t to) {
    text_.erase(from, to - from);
    caret_ = anchor_ = from;
    reindex();
}

bool EditText::erase_back() {
    if (has_selection()) {
        erase_range(selection_start(), selection_end());
        return true;
    }
    if (caret_ == 0) return false;
    std::size_t from = caret_ >= 2 && is_break_at(text_, caret_ - 2) ? caret_ - 2 : caret_ - 1;
    erase_range(from, caret_);
    return true;
}

bool EditText::erase_forward() {
    if (has_selection()) {
        erase_range(selection_start(), selection_end());
        return true;
    }
    if (caret_ >= text_.size()) return false;
    std::size_t to = is_break_at(text_, caret_) ? caret_ + 2 : caret_ + 1;
    erase_range(caret_, to);
    return true;
}

void EditText::move_to(std::size_t pos, bool extend) {
    caret_ = clamp(pos);
    if (!extend) anchor_ = caret_;
}

void EditText::move_left(bool extend) {
    if (!extend && has_selection()) {
        move_to(selection_start(), false);
        return;
    }
    if (caret_ == 0) {
        move_to(0, extend);
        return;
    }
    std::size_t pos = caret_ >= 2 && is_break_at(text_, caret_ - 2) ? caret_ - 2 : caret_ - 1;
    move_to(pos, extend);
}

void EditText::move_right(bool extend) {
    if (!extend && has_selection()) {
        move_to(selection_end(), false);
        return;
    }
    std::size_t pos = is_break_at(text_, caret_) ? caret_ + 2 : caret_ + 1;
    move_to(pos, extend);
}

void EditText::reindex() {
    line_starts_.assign(1, 0);
    for (std::size_t i = 0; i + 1 < text_.size(); ++i)
        if (is_break_at(text_, i)) line_starts_.push_back(i + 2);
}

std::size_t EditText::line_end(std::size_t line) const {
    if (line + 1 < line_starts_.size()) return line_starts_[line + 1] - 2;
    return text_.size();
}

std::size_t EditText::line_of(std::size_t pos) const {
    auto it = std::upper_bound(line_starts_.begin(), line_starts_.end(), pos);
    return static_cast<std::size_t>(it - line_starts_.begin()) - 1;
}

std::string EditText::line_text(std::size_t line) const {
    std::size_t start = line_start(line);
    return text_.substr(start, line_end(line) - start);
}

}  // namespace winsim::controls
