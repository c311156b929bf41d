// A scroll bar that a control keeps along its edge (the list box's and the multi-line edit's):
// where it lies, its range and position, and the part a click lands on. The classic painter
// lays it out and draws it.
#pragma once

#include "gdi/classic_style.h"
#include "win/base.h"

namespace winsim::controls {

class ScrollBar {
public:
    using Part = gdi::classic::ScrollPart;

    explicit ScrollBar(bool vertical) { state_.vertical = vertical; state_.max = 0; }

    // Where the bar lies, in the control's client coordinates; empty when it is not shown.
    const RECT& rect() const { return rect_; }
    void place(const RECT& r) { rect_ = r; }
    bool shown() const { return rect_.right > rect_.left && rect_.bottom > rect_.top; }

    // `total` units of content of which `page` are in view; the position runs from 0 to
    // total - page.
    void set_range(int total, int page);
    int position() const { return state_.pos; }
    int page() const { return static_cast<int>(state_.page); }
    int max_position() const;
    // Answers whether the position changed.
    bool set_position(int position);
    // Nothing to scroll: the arrows are drawn disabled and clicks do nothing.
    bool disabled() const { return max_position() == 0; }

    Part hit(POINT p) const;
    // The position the thumb stands for when dragged so that it starts at `thumb_start`
    // pixels along the bar.
    int position_for_thumb(int thumb_start) const;
    RECT thumb() const;

    void set_pressed(Part part) { state_.pressed = part; }
    Part pressed() const { return state_.pressed; }
    void draw(HDC dc) const;

private:
    gdi::classic::ScrollBar state() const;

    RECT rect_{0, 0, 0, 0};
    gdi::classic::ScrollBar state_;
};

}  // namespace winsim::controls
