// The text of an edit control with its caret and selection: what typing, deleting and
// moving the caret do, independent of how the text is drawn. Lines end with CR LF.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace winsim::controls {

class EditText {
public:
    // The limit a new control starts with.
    static constexpr std::size_t default_limit = 32767;

    const std::string& text() const { return text_; }
    std::size_t caret() const { return caret_; }
    std::size_t anchor() const { return anchor_; }
    std::size_t selection_start() const { return caret_ < anchor_ ? caret_ : anchor_; }
    std::size_t selection_end() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool has_selection() const { return caret_ != anchor_; }
    std::size_t limit() const { return limit_; }

    // Replaces the whole text (not bound by the limit, as WM_SETTEXT is not); the caret goes
    // to the start and the selection is cleared.
    void set_text(std::string text);
    // 0 stands for the largest limit.
    void set_limit(std::size_t limit);

    // Selects from `anchor` to `caret`; positions past the end mean the end, and a
    // position inside a CR LF pair moves before it.
    void select(std::size_t anchor, std::size_t caret);
    void select_all() { select(0, text_.size()); }

    // Replaces the selection with `s`, cut to what the limit leaves room for; answers
    // false when something had to be left out.
    bool replace_selection(const std::string& s);
    // Back: removes the selection, or the character (or the line break) before the caret.
    bool erase_back();
    // Delete: removes the selection, or the character (or the line break) after the caret.
    bool erase_forward();

    // Caret movement; with `extend` the anchor stays, so the selection grows or shrinks.
    void move_left(bool extend);
    void move_right(bool extend);
    void move_to(std::size_t pos, bool extend);

    // Lines: start offsets of each line (the first is 0), ends before its CR LF.
    std::size_t line_count() const { return line_starts_.size(); }
    std::size_t line_start(std::size_t line) const { return line_starts_[line]; }
    std::size_t line_end(std::size_t line) const;
    std::size_t line_of(std::size_t pos) const;
    std::string line_text(std::size_t line) const;

    // Offsets of the first and the last position of the caret's line (Home and End).
    std::size_t home() const { return line_start(line_of(caret_)); }
    std::size_t end() const { return line_end(line_of(caret_)); }

private:
    void reindex();
    std::size_t clamp(std::size_t pos) const;
    void erase_range(std::size_t from, std::size_t to);

    std::string text_;
    std::vector<std::size_t> line_starts_{0};
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::size_t limit_ = default_limit;
};

}  // namespace winsim::controls
