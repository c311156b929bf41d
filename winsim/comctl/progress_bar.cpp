#include "comctl/progress_bar.h"

#include <algorithm>

#include "gdi/classic_style.h"

namespace winsim::comctl {

namespace gc = gdi::classic;

namespace {

// Space between two blocks, in pixels.
constexpr int block_gap = 2;

}  // namespace

LRESULT ProgressBar::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: return on_paint();
    case WM_ERASEBKGND: return 1;
    case PBM_SETRANGE: return on_set_range(LOWORD(lparam), HIWORD(lparam));
    case PBM_SETRANGE32: return on_set_range(static_cast<int>(wparam), static_cast<int>(lparam));
    case PBM_GETRANGE: return on_get_range(wparam != 0, reinterpret_cast<PBRANGE*>(lparam));
    case PBM_SETPOS: return on_set_pos(static_cast<int>(wparam));
    case PBM_DELTAPOS: return move_to(pos_ + static_cast<int>(wparam));
    case PBM_GETPOS: return pos_;
    case PBM_SETSTEP: return on_set_step(static_cast<int>(wparam));
    case PBM_STEPIT: return on_step_it();
    default: return default_proc(message, wparam, lparam);
    }
}

int ProgressBar::move_to(int pos) {
    int previous = pos_;
    pos_ = high_ > low_ ? std::clamp(pos, low_, high_) : low_;
    if (pos_ != previous) {
        invalidate();
        UpdateWindow(hwnd());
    }
    return previous;
}

// Answers the previous range, low limit in the low word.
LRESULT ProgressBar::on_set_range(int low, int high) {
    LRESULT previous = MAKELONG(low_, high_);
    low_ = low;
    high_ = high;
    int pos = pos_;
    pos_ = low_;
    move_to(pos);
    invalidate();
    return previous;
}

LRESULT ProgressBar::on_get_range(bool low, PBRANGE* range) const {
    if (range) *range = PBRANGE{low_, high_};
    return low ? low_ : high_;
}

LRESULT ProgressBar::on_set_pos(int pos) { return move_to(pos); }

LRESULT ProgressBar::on_set_step(int step) {
    int previous = step_;
    step_ = step;
    return previous;
}

// Past the end the bar starts over from the beginning, carrying what was left over.
LRESULT ProgressBar::on_step_it() {
    int pos = pos_ + step_;
    int span = high_ - low_;
    if (pos > high_ && span > 0) pos = low_ + (pos - low_) % span;
    return move_to(pos);
}

LRESULT ProgressBar::on_paint() {
    controls::PaintCycle paint(hwnd(), font());
    HDC dc = paint.dc();
    RECT field = client_rect();
    gc::draw_static_edge(dc, field);
    FillRect(dc, &field, GetSysColorBrush(COLOR_BTNFACE));
    RECT inner = field;
    InflateRect(&inner, -1, -1);
    int width = inner.right - inner.left;
    int height = inner.bottom - inner.top;
    if (width <= 0 || height <= 0 || high_ <= low_) return 0;
    int filled = static_cast<int>(static_cast<long long>(pos_ - low_) * width / (high_ - low_));
    int block = std::max(1, (height * 2 + 2) / 3);
    HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
    for (int x = inner.left; x < inner.left + filled; x += block + block_gap) {
        RECT r{x, inner.top, std::min(x + block, static_cast<int>(inner.right)), inner.bottom};
        FillRect(dc, &r, brush);
    }
    return 0;
}

void register_progress_class() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = controls::control_window_proc<ProgressBar>;
    wc.cbWndExtra = controls::Control::extra_bytes;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = ProgressBar::class_name;
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExA(nullptr, ProgressBar::class_name, &existing)) return;
    RegisterClassExA(&wc);
}

}  // namespace winsim::comctl
