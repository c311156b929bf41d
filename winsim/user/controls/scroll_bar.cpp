#include "user/controls/scroll_bar.h"

#include <algorithm>

namespace winsim::controls {

void ScrollBar::set_range(int total, int page) {
    total = std::max(total, 0);
    page = std::clamp(page, 0, total);
    state_.min = 0;
    state_.max = total > 0 ? total - 1 : 0;
    state_.page = static_cast<unsigned>(page);
    state_.pos = std::clamp(state_.pos, 0, max_position());
}

int ScrollBar::max_position() const {
    int total = state_.max + 1;
    int page = static_cast<int>(state_.page);
    return total > page && page > 0 ? total - page : 0;
}

bool ScrollBar::set_position(int position) {
    int p = std::clamp(position, 0, max_position());
    if (p == state_.pos) return false;
    state_.pos = p;
    return true;
}

gdi::classic::ScrollBar ScrollBar::state() const {
    gdi::classic::ScrollBar s = state_;
    s.enabled = !disabled();
    return s;
}

ScrollBar::Part ScrollBar::hit(POINT p) const {
    if (!shown() || disabled()) return Part::None;
    return gdi::classic::hit_scroll_bar(gdi::classic::layout_scroll_bar(rect_, state()), p);
}

RECT ScrollBar::thumb() const { return gdi::classic::layout_scroll_bar(rect_, state()).thumb; }

int ScrollBar::position_for_thumb(int thumb_start) const {
    return std::clamp(gdi::classic::scroll_pos_for_thumb(rect_, state(), thumb_start), 0, max_position());
}

void ScrollBar::draw(HDC dc) const {
    if (shown()) gdi::classic::draw_scroll_bar(dc, rect_, state());
}

}  // namespace winsim::controls
