#include "user/controls/edit_control.h"

#include <algorithm>
#include <cstring>

#include "gdi/classic_style.h"
#include "user/controls/text_metrics.h"

namespace winsim::controls {

namespace gc = gdi::classic;

namespace {

// Gap between the control's edge and the text, in pixels.
constexpr int margin = 1;
// Sideways scrolling steps by this many pixels for a line request.
constexpr int column_step = 8;

bool shift_down() { return GetKeyState(VK_SHIFT) < 0; }
bool control_down() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

LRESULT EditControl::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    switch (message) {
    case WM_NCCREATE: return on_nc_create(reinterpret_cast<CREATESTRUCTA*>(lparam));
    case WM_CREATE: layout(); return 0;
    case WM_PAINT: return on_paint();
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: return on_size();
    case WM_CHAR: return on_char(static_cast<unsigned char>(wparam));
    case WM_KEYDOWN: return on_key_down(static_cast<UINT>(wparam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return on_button_down(p);
    case WM_MOUSEMOVE: return on_mouse_move(p);
    case WM_LBUTTONUP: return on_button_up();
    case WM_CAPTURECHANGED: selecting_ = false; dragged_bar_ = nullptr; return 0;
    case WM_SETFOCUS: return on_focus_changed(true);
    case WM_KILLFOCUS: return on_focus_changed(false);
    case WM_ENABLE: repaint(); return 0;
    case WM_GETDLGCODE: return on_get_dlg_code(reinterpret_cast<const MSG*>(lparam));
    case WM_SETFONT: {
        LRESULT r = on_set_font(reinterpret_cast<HFONT>(wparam), LOWORD(lparam) != 0);
        layout();
        return r;
    }
    case WM_GETFONT: return on_get_font();
    case WM_SETTEXT: return on_set_text(lparam);
    case WM_GETTEXT: return on_get_text(wparam, reinterpret_cast<LPSTR>(lparam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(text_.text().size());
    case WM_VSCROLL: return on_scroll(true, LOWORD(wparam));
    case WM_HSCROLL: return on_scroll(false, LOWORD(wparam));
    case EM_SETSEL: return on_set_sel(static_cast<LONG_PTR>(static_cast<int>(wparam)), lparam);
    case EM_GETSEL: return on_get_sel(reinterpret_cast<DWORD*>(wparam), reinterpret_cast<DWORD*>(lparam));
    case EM_REPLACESEL: return on_replace_sel(reinterpret_cast<LPCSTR>(lparam));
    case EM_LIMITTEXT: text_.set_limit(static_cast<std::size_t>(wparam)); return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(text_.limit());
    case EM_GETLINECOUNT: return static_cast<LRESULT>(text_.line_count());
    case EM_LINEINDEX: return on_line_index(static_cast<int>(wparam));
    case EM_LINELENGTH: return on_line_length(static_cast<int>(wparam));
    case EM_LINEFROMCHAR: return on_line_from_char(static_cast<int>(wparam));
    case EM_GETFIRSTVISIBLELINE: return multiline() ? top_line_ : 0;
    case EM_SCROLLCARET: if (scroll_to_caret()) repaint(); return TRUE;
    case EM_SETREADONLY: {
        DWORD s = wparam ? style() | ES_READONLY : style() & ~static_cast<DWORD>(ES_READONLY);
        SetWindowLongA(hwnd(), GWL_STYLE, static_cast<LONG>(s));
        repaint();
        return TRUE;
    }
    default: return default_proc(message, wparam, lparam);
    }
}

// The scroll bars are the control's own, inside its client area: take their styles off
// the window so that nothing else reserves room for them.
LRESULT EditControl::on_nc_create(CREATESTRUCTA* create) {
    multiline_ = (create->style & ES_MULTILINE) != 0;
    wants_vscroll_ = multiline_ && (create->style & WS_VSCROLL) != 0;
    wants_hscroll_ = multiline_ && (create->style & WS_HSCROLL) != 0;
    DWORD s = static_cast<DWORD>(create->style) & ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);
    s = sunken_border(hwnd(), *create, s);
    create->style = static_cast<LONG>(s);
    LRESULT result = default_proc(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
    SetWindowLongA(hwnd(), GWL_STYLE, static_cast<LONG>(s));
    if (create->lpszName && !IS_INTRESOURCE(create->lpszName)) text_.set_text(create->lpszName);
    return result;
}

int EditControl::line_height() const {
    TextMeasure measure(hwnd(), font());
    return std::max(1, measure.line_height());
}

int EditControl::text_width(const std::string& s) const {
    TextMeasure measure(hwnd(), font());
    return measure.width(s);
}

int EditControl::widest_line() const {
    TextMeasure measure(hwnd(), font());
    int widest = 0;
    for (std::size_t i = 0; i < text_.line_count(); ++i) widest = std::max(widest, measure.width(text_.line_text(i)));
    return widest;
}

void EditControl::layout() {
    RECT c = client_rect();
    int bar = gc::kScrollBar;
    int right = wants_vscroll_ ? std::max(c.left, c.right - bar) : c.right;
    int bottom = wants_hscroll_ ? std::max(c.top, c.bottom - bar) : c.bottom;
    vbar_.place(wants_vscroll_ ? RECT{right, c.top, c.right, bottom} : RECT{0, 0, 0, 0});
    hbar_.place(wants_hscroll_ ? RECT{c.left, bottom, right, c.bottom} : RECT{0, 0, 0, 0});
    update_scroll_bars();
}

RECT EditControl::text_rect() const {
    RECT c = client_rect();
    if (vbar_.shown()) c.right = vbar_.rect().left;
    if (hbar_.shown()) c.bottom = hbar_.rect().top;
    return c;
}

int EditControl::visible_lines() const {
    RECT r = text_rect();
    return std::max(1, (r.bottom - r.top) / line_height());
}

void EditControl::update_scroll_bars() {
    if (!multiline()) return;
    RECT r = text_rect();
    vbar_.set_range(static_cast<int>(text_.line_count()), visible_lines());
    vbar_.set_position(top_line_);
    hbar_.set_range(widest_line() + 2 * margin, r.right - r.left);
    hbar_.set_position(scroll_x_);
}

LRESULT EditControl::on_size() {
    layout();
    scroll_to_caret();
    repaint();
    return 0;
}

void EditControl::repaint() { invalidate(); }

bool EditControl::scroll_to_caret() {
    RECT r = text_rect();
    int old_top = top_line_;
    int old_x = scroll_x_;
    std::size_t line = text_.line_of(text_.caret());
    if (multiline()) {
        int lines = visible_lines();
        if (static_cast<int>(line) < top_line_) top_line_ = static_cast<int>(line);
        if (static_cast<int>(line) >= top_line_ + lines) top_line_ = static_cast<int>(line) - lines + 1;
    }
    int view = std::max(1, static_cast<int>(r.right - r.left) - 2 * margin);
    std::string before = text_.text().substr(text_.line_start(line), text_.caret() - text_.line_start(line));
    int caret_x = text_width(before);
    // Jump a quarter of the view at a time, so that typing does not scroll on every key.
    if (caret_x - scroll_x_ > view) scroll_x_ = caret_x - view + view / 4;
    if (caret_x < scroll_x_) scroll_x_ = std::max(0, caret_x - view / 4);
    // A shortened single line slides back so that no empty room is left on the right.
    if (!multiline()) {
        int total = text_width(text_.text());
        if (total - scroll_x_ < view) scroll_x_ = std::max(0, std::min(scroll_x_, total - view));
    }
    update_scroll_bars();
    return old_top != top_line_ || old_x != scroll_x_;
}

void EditControl::text_changed() {
    DefWindowProcA(hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.text().c_str()));
    scroll_to_caret();
    repaint();
    notify(EN_UPDATE);
    notify(EN_CHANGE);
}

LRESULT EditControl::on_char(unsigned char ch) {
    if (has_style(ES_READONLY)) return 0;
    if (ch == '\b') {
        if (text_.erase_back()) text_changed();
        return 0;
    }
    std::string piece;
    if (ch == '\r' || ch == '\n') {
        if (!multiline()) return 0;
        piece = "\r\n";
    } else if (ch == '\t') {
        if (!multiline()) return 0;
        piece = "\t";
    } else if (ch >= 0x20 && ch != 0x7F) {
        piece.assign(1, static_cast<char>(ch));
    } else {
        return 0;
    }
    EditText before = text_;
    bool whole = text_.replace_selection(piece);
    // Without ES_AUTOHSCROLL a single line takes no more than its width shows.
    if (!multiline() && !has_style(ES_AUTOHSCROLL)) {
        RECT r = text_rect();
        if (text_width(text_.text()) > r.right - r.left - 2 * margin) {
            text_ = before;
            whole = false;
        }
    }
    if (text_.text() != before.text()) text_changed();
    if (!whole) notify(EN_MAXTEXT);
    return 0;
}

void EditControl::move_vertically(int lines, bool extend) {
    std::size_t line = text_.line_of(text_.caret());
    std::string before = text_.text().substr(text_.line_start(line), text_.caret() - text_.line_start(line));
    int x = text_width(before);
    long target = static_cast<long>(line) + lines;
    target = std::clamp(target, 0L, static_cast<long>(text_.line_count()) - 1);
    std::size_t t = static_cast<std::size_t>(target);
    TextMeasure measure(hwnd(), font());
    std::size_t offset = measure.index_at(text_.line_text(t), x);
    text_.move_to(text_.line_start(t) + offset, extend);
}

LRESULT EditControl::on_key_down(UINT key) {
    bool extend = shift_down();
    bool whole = control_down();
    switch (key) {
    case VK_LEFT: text_.move_left(extend); break;
    case VK_RIGHT: text_.move_right(extend); break;
    case VK_HOME: text_.move_to(whole || !multiline() ? 0 : text_.home(), extend); break;
    case VK_END: text_.move_to(whole || !multiline() ? text_.text().size() : text_.end(), extend); break;
    case VK_UP: if (multiline()) move_vertically(-1, extend); else text_.move_left(extend); break;
    case VK_DOWN: if (multiline()) move_vertically(1, extend); else text_.move_right(extend); break;
    case VK_PRIOR: if (multiline()) move_vertically(-visible_lines(), extend); break;
    case VK_NEXT: if (multiline()) move_vertically(visible_lines(), extend); break;
    case VK_DELETE:
        if (!has_style(ES_READONLY) && text_.erase_forward()) text_changed();
        return 0;
    default: return 0;
    }
    scroll_to_caret();
    repaint();
    return 0;
}

std::size_t EditControl::position_at(POINT p) const {
    RECT r = text_rect();
    long line = 0;
    if (multiline()) {
        line = top_line_ + (p.y - r.top) / line_height();
        if (p.y < r.top) line = top_line_ - 1;
        line = std::clamp(line, 0L, static_cast<long>(text_.line_count()) - 1);
    }
    std::size_t l = static_cast<std::size_t>(line);
    TextMeasure measure(hwnd(), font());
    int x = p.x - r.left - margin + scroll_x_;
    return text_.line_start(l) + measure.index_at(text_.line_text(l), x);
}

LRESULT EditControl::on_button_down(POINT p) {
    if (!focused()) SetFocus(hwnd());
    for (ScrollBar* bar : {&vbar_, &hbar_}) {
        ScrollBar::Part part = bar->hit(p);
        if (part == ScrollBar::Part::None) continue;
        bool vertical = bar == &vbar_;
        if (part == ScrollBar::Part::Thumb) {
            RECT t = bar->thumb();
            dragged_bar_ = bar;
            drag_offset_ = vertical ? p.y - t.top : p.x - t.left;
            SetCapture(hwnd());
            return 0;
        }
        int request = part == ScrollBar::Part::LineUp ? SB_LINEUP
                    : part == ScrollBar::Part::LineDown ? SB_LINEDOWN
                    : part == ScrollBar::Part::PageUp ? SB_PAGEUP : SB_PAGEDOWN;
        return on_scroll(vertical, request);
    }
    if (vbar_.shown() && p.x >= vbar_.rect().left && p.y >= vbar_.rect().top) return 0;
    if (hbar_.shown() && p.y >= hbar_.rect().top) return 0;
    text_.move_to(position_at(p), shift_down());
    selecting_ = true;
    SetCapture(hwnd());
    scroll_to_caret();
    repaint();
    return 0;
}

LRESULT EditControl::on_mouse_move(POINT p) {
    if (dragged_bar_) {
        bool vertical = dragged_bar_ == &vbar_;
        RECT r = dragged_bar_->rect();
        int start = vertical ? p.y - drag_offset_ - r.top : p.x - drag_offset_ - r.left;
        int pos = dragged_bar_->position_for_thumb(start);
        if (vertical && pos != top_line_) {
            top_line_ = pos;
            update_scroll_bars();
            repaint();
        } else if (!vertical && pos != scroll_x_) {
            scroll_x_ = pos;
            update_scroll_bars();
            repaint();
        }
        return 0;
    }
    if (!selecting_) return 0;
    std::size_t pos = position_at(p);
    if (pos != text_.caret()) {
        text_.move_to(pos, true);
        scroll_to_caret();
        repaint();
    }
    return 0;
}

LRESULT EditControl::on_button_up() {
    if (selecting_ || dragged_bar_) {
        selecting_ = false;
        dragged_bar_ = nullptr;
        if (GetCapture() == hwnd()) ReleaseCapture();
    }
    return 0;
}

LRESULT EditControl::on_scroll(bool vertical, int request) {
    if (!multiline()) return 0;
    ScrollBar& bar = vertical ? vbar_ : hbar_;
    int& value = vertical ? top_line_ : scroll_x_;
    int line = vertical ? 1 : column_step;
    int page = std::max(1, vertical ? visible_lines() - 1 : bar.page() - column_step);
    int target = value;
    switch (request) {
    case SB_LINEUP: target -= line; break;
    case SB_LINEDOWN: target += line; break;
    case SB_PAGEUP: target -= page; break;
    case SB_PAGEDOWN: target += page; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = bar.max_position(); break;
    default: return 0;
    }
    target = std::clamp(target, 0, bar.max_position());
    if (target == value) return 0;
    value = target;
    update_scroll_bars();
    repaint();
    notify(vertical ? EN_VSCROLL : EN_HSCROLL);
    return 0;
}

LRESULT EditControl::on_focus_changed(bool gained) {
    repaint();
    notify(gained ? EN_SETFOCUS : EN_KILLFOCUS);
    return 0;
}

// A multi-line field takes Enter for a new line; Escape and Tab stay with the dialog.
LRESULT EditControl::on_get_dlg_code(const MSG* message) const {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!multiline()) return code;
    if (message && message->message == WM_KEYDOWN && (message->wParam == VK_ESCAPE || message->wParam == VK_TAB))
        return code;
    return code | DLGC_WANTALLKEYS;
}

LRESULT EditControl::on_set_text(LPARAM lparam) {
    auto text = reinterpret_cast<LPCSTR>(lparam);
    text_.set_text(text ? text : "");
    default_proc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.text().c_str()));
    top_line_ = 0;
    scroll_x_ = 0;
    update_scroll_bars();
    repaint();
    notify(EN_UPDATE);
    notify(EN_CHANGE);
    return TRUE;
}

LRESULT EditControl::on_get_text(WPARAM count, LPSTR buffer) const {
    if (!buffer || count == 0) return 0;
    std::size_t n = std::min(static_cast<std::size_t>(count) - 1, text_.text().size());
    std::memcpy(buffer, text_.text().data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT EditControl::on_set_sel(LONG_PTR start, LONG_PTR end) {
    std::size_t size = text_.text().size();
    if (start == -1) {
        text_.move_to(text_.caret(), false);
    } else {
        std::size_t s = static_cast<std::size_t>(std::clamp<LONG_PTR>(start, 0, static_cast<LONG_PTR>(size)));
        std::size_t e = end < 0 ? size : static_cast<std::size_t>(std::min<LONG_PTR>(end, static_cast<LONG_PTR>(size)));
        text_.select(s, e);
    }
    scroll_to_caret();
    repaint();
    return 0;
}

LRESULT EditControl::on_get_sel(DWORD* start, DWORD* end) const {
    auto s = static_cast<DWORD>(text_.selection_start());
    auto e = static_cast<DWORD>(text_.selection_end());
    if (start) *start = s;
    if (end) *end = e;
    return static_cast<LRESULT>(MAKELONG(s > 0xFFFF ? 0xFFFF : s, e > 0xFFFF ? 0xFFFF : e));
}

LRESULT EditControl::on_replace_sel(LPCSTR text) {
    bool whole = text_.replace_selection(text ? text : "");
    text_changed();
    if (!whole) notify(EN_MAXTEXT);
    return 0;
}

LRESULT EditControl::on_line_index(LONG_PTR line) const {
    if (line < 0) line = static_cast<LONG_PTR>(text_.line_of(text_.caret()));
    if (static_cast<std::size_t>(line) >= text_.line_count()) return -1;
    return static_cast<LRESULT>(text_.line_start(static_cast<std::size_t>(line)));
}

LRESULT EditControl::on_line_length(LONG_PTR pos) const {
    if (pos < 0) return 0;
    std::size_t line = text_.line_of(static_cast<std::size_t>(pos));
    return static_cast<LRESULT>(text_.line_end(line) - text_.line_start(line));
}

LRESULT EditControl::on_line_from_char(LONG_PTR pos) const {
    std::size_t p = pos < 0 ? text_.caret() : static_cast<std::size_t>(pos);
    return static_cast<LRESULT>(text_.line_of(std::min(p, text_.text().size())));
}

LRESULT EditControl::on_paint() {
    if (!vbar_.shown() && !hbar_.shown() && (wants_vscroll_ || wants_hscroll_)) layout();
    PaintCycle paint(hwnd(), font());
    HDC dc = paint.dc();
    bool grey = !enabled() || has_style(ES_READONLY);
    HBRUSH brush = query_colors(grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, dc);
    if (!enabled()) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    RECT area = text_rect();
    FillRect(dc, &area, brush);
    int height = line_height();
    bool show_selection = focused() && text_.has_selection();
    std::size_t first = multiline() ? static_cast<std::size_t>(top_line_) : 0;
    std::size_t last = multiline() ? std::min(text_.line_count(), first + static_cast<std::size_t>(visible_lines()) + 1) : 1;
    for (std::size_t line = first; line < last; ++line) {
        int y = area.top + (multiline() ? static_cast<int>(line - first) * height : margin);
        paint_line(dc, area, line, y, show_selection);
    }
    if (focused() && !text_.has_selection()) {
        std::size_t line = text_.line_of(text_.caret());
        if (line >= first && line < last) {
            std::string before = text_.text().substr(text_.line_start(line), text_.caret() - text_.line_start(line));
            int x = area.left + margin - scroll_x_ + text_width(before);
            int y = area.top + (multiline() ? static_cast<int>(line - first) * height : margin);
            RECT caret{x, y, x + 1, std::min(y + height, static_cast<int>(area.bottom))};
            if (x >= area.left && x < area.right) FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
    }
    vbar_.draw(dc);
    hbar_.draw(dc);
    if (vbar_.shown() && hbar_.shown()) {
        RECT corner{vbar_.rect().left, hbar_.rect().top, vbar_.rect().right, hbar_.rect().bottom};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
    }
    return 0;
}

// One line in up to three runs: before the selection, the selection in the highlight
// colours, and after it.
void EditControl::paint_line(HDC dc, const RECT& area, std::size_t line, int y, bool show_selection) {
    std::size_t start = text_.line_start(line);
    std::size_t end = text_.line_end(line);
    const std::string& all = text_.text();
    std::size_t sel_from = show_selection ? std::clamp(text_.selection_start(), start, end) : end;
    std::size_t sel_to = show_selection ? std::clamp(text_.selection_end(), start, end) : end;
    int x = area.left + margin - scroll_x_;
    COLORREF text_color = GetTextColor(dc);
    COLORREF back_color = GetBkColor(dc);
    struct Run { std::size_t from, to; bool selected; };
    const Run runs[] = {{start, sel_from, false}, {sel_from, sel_to, true}, {sel_to, end, false}};
    for (const Run& run : runs) {
        if (run.to <= run.from) continue;
        std::string piece = all.substr(run.from, run.to - run.from);
        if (run.selected) {
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        }
        ExtTextOutA(dc, x, y, ETO_CLIPPED, &area, piece.c_str(), static_cast<UINT>(piece.size()), nullptr);
        if (run.selected) {
            SetTextColor(dc, text_color);
            SetBkColor(dc, back_color);
        }
        x += text_width(piece);
    }
}

void register_edit_class() {
    register_control_class(EditControl::class_name, control_window_proc<EditControl>, CS_DBLCLKS, 32513);
}

}  // namespace winsim::controls
