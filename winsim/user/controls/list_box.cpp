#include "user/controls/list_box.h"

#include <algorithm>
#include <cstring>

#include "gdi/classic_style.h"
#include "user/controls/text_metrics.h"

namespace winsim::controls {

namespace gc = gdi::classic;

namespace {

// Room left of a self-drawn entry's text, in pixels.
constexpr int text_indent = 2;

}  // namespace

LRESULT ListBox::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    int index = static_cast<int>(static_cast<LONG_PTR>(wparam));
    switch (message) {
    case WM_NCCREATE: return on_nc_create(reinterpret_cast<CREATESTRUCTA*>(lparam));
    case WM_CREATE: update_scroll_bar(); return 0;
    case WM_PAINT: return on_paint();
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: return on_size();
    case WM_LBUTTONDOWN: return on_button_down(p, false);
    case WM_LBUTTONDBLCLK: return on_button_down(p, true);
    case WM_MOUSEMOVE: return on_mouse_move(p);
    case WM_LBUTTONUP: return on_button_up();
    case WM_CAPTURECHANGED: tracking_ = dragging_thumb_ = false; return 0;
    case WM_KEYDOWN: return on_key_down(static_cast<UINT>(wparam));
    case WM_CHAR: return on_char(static_cast<unsigned char>(wparam));
    case WM_SETFOCUS: return on_focus_changed(true);
    case WM_KILLFOCUS: return on_focus_changed(false);
    case WM_ENABLE: invalidate_list(); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETREDRAW: return on_set_redraw(wparam != 0);
    case WM_VSCROLL: return on_scroll(LOWORD(wparam));
    case WM_SETFONT: return on_set_font(reinterpret_cast<HFONT>(wparam), LOWORD(lparam) != 0);
    case WM_GETFONT: return on_get_font();
    case LB_ADDSTRING: return on_add_string(lparam);
    case LB_INSERTSTRING: return on_insert_string(index, lparam);
    case LB_DELETESTRING: return on_delete_string(index);
    case LB_RESETCONTENT: return on_reset_content();
    case LB_SETCURSEL: return on_set_cur_sel(index);
    case LB_GETCURSEL: return selected_;
    case LB_GETTEXT: return on_get_text(index, reinterpret_cast<LPSTR>(lparam));
    case LB_GETTEXTLEN: return on_get_text_len(index);
    case LB_GETCOUNT: return items_.count();
    case LB_FINDSTRING: return on_find_string(index, reinterpret_cast<LPCSTR>(lparam), false);
    case LB_FINDSTRINGEXACT: return on_find_string(index, reinterpret_cast<LPCSTR>(lparam), true);
    case LB_SETITEMDATA: return on_set_item_data(index, lparam);
    case LB_GETITEMDATA: return on_get_item_data(index);
    case LB_GETITEMRECT: return on_get_item_rect(index, reinterpret_cast<RECT*>(lparam));
    case LB_GETTOPINDEX: return top_;
    case LB_SETTOPINDEX: return on_set_top_index(index);
    case LB_GETITEMHEIGHT: return on_get_item_height(index);
    case LB_SETITEMHEIGHT: return on_set_item_height(index, LOWORD(lparam));
    default: return default_proc(message, wparam, lparam);
    }
}

// The scroll bar is the list's own, inside its client area.
LRESULT ListBox::on_nc_create(CREATESTRUCTA* create) {
    auto s = static_cast<DWORD>(create->style);
    if (s & LBS_OWNERDRAWVARIABLE) drawing_ = Drawing::OwnerVariable;
    else if (s & LBS_OWNERDRAWFIXED) drawing_ = Drawing::OwnerFixed;
    has_strings_ = (s & LBS_HASSTRINGS) != 0;
    sorted_ = (s & LBS_SORT) != 0;
    notifies_ = (s & LBS_NOTIFY) != 0;
    wants_vscroll_ = (s & WS_VSCROLL) != 0;
    scroll_always_ = (s & LBS_DISABLENOSCROLL) != 0;
    s &= ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);
    s = sunken_border(hwnd(), *create, s);
    create->style = static_cast<LONG>(s);
    LRESULT result = default_proc(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(create));
    SetWindowLongA(hwnd(), GWL_STYLE, static_cast<LONG>(s));
    return result;
}

LRESULT ListBox::on_set_font(HFONT font, bool redraw) {
    measured_height_ = 0;
    Control::on_set_font(font, false);
    update_scroll_bar();
    if (redraw) invalidate_list();
    return 0;
}

// ---- Heights and geometry ----

// The parent may answer WM_MEASUREITEM; the height it leaves is the font's line height.
int ListBox::measure_item(int index, std::uintptr_t data) const {
    TextMeasure measure(hwnd(), font());
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTBOX;
    mis.CtlID = static_cast<UINT>(id());
    mis.itemID = static_cast<UINT>(index);
    RECT r = list_rect();
    mis.itemWidth = static_cast<UINT>(std::max(0L, static_cast<long>(r.right - r.left)));
    mis.itemHeight = static_cast<UINT>(measure.line_height());
    mis.itemData = data;
    if (HWND p = parent()) SendMessageA(p, WM_MEASUREITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&mis));
    return std::max(1, static_cast<int>(mis.itemHeight));
}

int ListBox::fixed_height() const {
    if (drawing_ == Drawing::Self) {
        TextMeasure measure(hwnd(), font());
        return std::max(1, measure.line_height());
    }
    if (measured_height_ == 0) measured_height_ = measure_item(0, 0);
    return measured_height_;
}

int ListBox::height_of(int index) const {
    if (drawing_ == Drawing::OwnerVariable && items_.valid(index) && items_.at(index).height > 0)
        return items_.at(index).height;
    return fixed_height();
}

RECT ListBox::list_rect() const {
    RECT c = client_rect();
    if (vbar_.shown()) c.right = vbar_.rect().left;
    return c;
}

// The smallest top index that still shows the last entry whole.
int ListBox::first_top_for_end() const {
    RECT r = list_rect();
    int room = r.bottom - r.top;
    int top = items_.count();
    int used = 0;
    while (top > 0 && used + height_of(top - 1) <= room) {
        used += height_of(top - 1);
        --top;
    }
    return std::min(top, std::max(0, items_.count() - 1));
}

void ListBox::update_scroll_bar() {
    RECT c = client_rect();
    bool needed = false;
    if (wants_vscroll_) {
        vbar_.place(RECT{0, 0, 0, 0});
        needed = first_top_for_end() > 0;
    }
    bool shown = wants_vscroll_ && (needed || scroll_always_);
    vbar_.place(shown ? RECT{std::max(c.left, c.right - gc::kScrollBar), c.top, c.right, c.bottom} : RECT{0, 0, 0, 0});
    int max_top = first_top_for_end();
    vbar_.set_range(items_.count(), items_.count() - max_top);
    top_ = std::clamp(top_, 0, max_top);
    vbar_.set_position(top_);
}

int ListBox::item_at(POINT p) const {
    RECT r = list_rect();
    if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) return -1;
    int y = r.top;
    for (int i = top_; i < items_.count() && y < r.bottom; ++i) {
        int h = height_of(i);
        if (p.y < y + h) return i;
        y += h;
    }
    return -1;
}

LRESULT ListBox::on_get_item_rect(int index, RECT* rect) const {
    if (!rect || !items_.valid(index)) return LB_ERR;
    RECT r = list_rect();
    int y = r.top;
    if (index >= top_) {
        for (int i = top_; i < index; ++i) y += height_of(i);
    } else {
        for (int i = index; i < top_; ++i) y -= height_of(i);
    }
    *rect = RECT{r.left, y, r.right, y + height_of(index)};
    return LB_OKAY;
}

void ListBox::set_top(int top) {
    int clamped = std::clamp(top, 0, first_top_for_end());
    if (clamped == top_) return;
    top_ = clamped;
    vbar_.set_position(top_);
    invalidate_list();
}

void ListBox::ensure_visible(int index) {
    if (!items_.valid(index)) return;
    if (index < top_) {
        set_top(index);
        return;
    }
    RECT r = list_rect();
    int room = r.bottom - r.top;
    int top = top_;
    auto bottom_of = [&](int t) {
        int y = 0;
        for (int i = t; i <= index; ++i) y += height_of(i);
        return y;
    };
    while (top < index && bottom_of(top) > room) ++top;
    set_top(top);
}

LRESULT ListBox::on_size() {
    update_scroll_bar();
    invalidate_list();
    return 0;
}

// ---- Contents ----

ListItem ListBox::make_item(LPARAM item) const {
    ListItem entry;
    if (stores_strings()) {
        auto text = reinterpret_cast<LPCSTR>(item);
        entry.text = text ? text : "";
    } else {
        entry.data = static_cast<std::uintptr_t>(item);
    }
    return entry;
}

void ListBox::item_inserted(int index) {
    if (selected_ >= index) ++selected_;
    if (caret_ >= index && items_.count() > 1) ++caret_;
    if (drawing_ == Drawing::OwnerVariable) {
        items_.at(index).height = measure_item(index, items_.at(index).data);
    }
    update_scroll_bar();
    invalidate_list();
}

LRESULT ListBox::on_add_string(LPARAM item) {
    int index = items_.add(make_item(item), sorted_ && stores_strings());
    item_inserted(index);
    return index;
}

LRESULT ListBox::on_insert_string(int index, LPARAM item) {
    std::optional<int> at = items_.insert(index, make_item(item));
    if (!at) return LB_ERR;
    item_inserted(*at);
    return *at;
}

LRESULT ListBox::on_delete_string(int index) {
    if (!items_.erase(index)) return LB_ERR;
    if (selected_ == index) selected_ = -1;
    else if (selected_ > index) --selected_;
    if (caret_ > index || caret_ >= items_.count()) caret_ = std::max(0, caret_ - 1);
    update_scroll_bar();
    invalidate_list();
    return items_.count();
}

LRESULT ListBox::on_reset_content() {
    items_.clear();
    selected_ = -1;
    caret_ = 0;
    top_ = 0;
    update_scroll_bar();
    invalidate_list();
    return 0;
}

LRESULT ListBox::on_get_text(int index, LPSTR buffer) const {
    if (!items_.valid(index) || !buffer) return LB_ERR;
    const ListItem& item = items_.at(index);
    if (!stores_strings()) {
        std::memcpy(buffer, &item.data, sizeof(item.data));
        return sizeof(item.data);
    }
    std::memcpy(buffer, item.text.c_str(), item.text.size() + 1);
    return static_cast<LRESULT>(item.text.size());
}

LRESULT ListBox::on_get_text_len(int index) const {
    if (!items_.valid(index)) return LB_ERR;
    if (!stores_strings()) return sizeof(std::uintptr_t);
    return static_cast<LRESULT>(items_.at(index).text.size());
}

LRESULT ListBox::on_find_string(int start, LPCSTR text, bool exact) const {
    if (!text || !stores_strings()) return LB_ERR;
    std::optional<int> found = items_.find(start, text, exact);
    return found ? *found : LB_ERR;
}

LRESULT ListBox::on_set_item_data(int index, LPARAM data) {
    if (!items_.valid(index)) return LB_ERR;
    items_.at(index).data = static_cast<std::uintptr_t>(data);
    return TRUE;
}

LRESULT ListBox::on_get_item_data(int index) const {
    if (!items_.valid(index)) return LB_ERR;
    return static_cast<LRESULT>(items_.at(index).data);
}

LRESULT ListBox::on_set_top_index(int index) {
    if (!items_.valid(index)) return LB_ERR;
    set_top(index);
    return 0;
}

LRESULT ListBox::on_get_item_height(int index) const {
    if (drawing_ == Drawing::OwnerVariable && !items_.valid(index)) return LB_ERR;
    return height_of(index);
}

LRESULT ListBox::on_set_item_height(int index, int height) {
    if (height <= 0 || height > 255) return LB_ERR;
    if (drawing_ == Drawing::OwnerVariable) {
        if (!items_.valid(index)) return LB_ERR;
        items_.at(index).height = height;
    } else {
        measured_height_ = height;
    }
    update_scroll_bar();
    invalidate_list();
    return 0;
}

// ---- Selection ----

void ListBox::select(int index) {
    if (!items_.valid(index)) index = -1;
    int old_selected = selected_;
    int old_caret = caret_;
    selected_ = index;
    if (index >= 0) caret_ = index;
    int old_top = top_;
    ensure_visible(index);
    if (top_ != old_top) return;   // the whole list repaints
    if (old_selected != selected_) {
        redraw_item(old_selected, ODA_SELECT);
        redraw_item(selected_, ODA_SELECT);
    }
    if (old_caret != caret_ && focused()) {
        redraw_item(old_caret, ODA_FOCUS);
        redraw_item(caret_, ODA_FOCUS);
    }
}

LRESULT ListBox::on_set_cur_sel(int index) {
    if (index != -1 && !items_.valid(index)) return LB_ERR;
    select(index);
    return index == -1 ? LB_ERR : index;
}

void ListBox::choose(int index) {
    bool changed = index != selected_;
    select(index);
    if (changed && notifies_) notify(LBN_SELCHANGE);
}

LRESULT ListBox::on_button_down(POINT p, bool double_click) {
    if (!focused()) SetFocus(hwnd());
    ScrollBar::Part part = vbar_.hit(p);
    if (part == ScrollBar::Part::Thumb) {
        dragging_thumb_ = true;
        drag_offset_ = p.y - vbar_.thumb().top;
        SetCapture(hwnd());
        return 0;
    }
    if (part != ScrollBar::Part::None) {
        int request = part == ScrollBar::Part::LineUp ? SB_LINEUP
                    : part == ScrollBar::Part::LineDown ? SB_LINEDOWN
                    : part == ScrollBar::Part::PageUp ? SB_PAGEUP : SB_PAGEDOWN;
        return on_scroll(request);
    }
    int index = item_at(p);
    if (index < 0) return 0;
    choose(index);
    if (double_click) {
        if (notifies_) notify(LBN_DBLCLK);
        return 0;
    }
    tracking_ = true;
    SetCapture(hwnd());
    return 0;
}

LRESULT ListBox::on_mouse_move(POINT p) {
    if (dragging_thumb_) {
        set_top(vbar_.position_for_thumb(p.y - drag_offset_ - vbar_.rect().top));
        return 0;
    }
    if (!tracking_) return 0;
    int index = item_at(p);
    if (index >= 0) choose(index);
    return 0;
}

LRESULT ListBox::on_button_up() {
    if (!tracking_ && !dragging_thumb_) return 0;
    tracking_ = dragging_thumb_ = false;
    if (GetCapture() == hwnd()) ReleaseCapture();
    return 0;
}

LRESULT ListBox::on_key_down(UINT key) {
    int count = items_.count();
    if (count == 0) return 0;
    int from = selected_ >= 0 ? selected_ : caret_;
    RECT r = list_rect();
    int page = std::max(1, static_cast<int>(r.bottom - r.top) / std::max(1, fixed_height()));
    int target = from;
    switch (key) {
    case VK_UP: target = selected_ < 0 ? from : from - 1; break;
    case VK_DOWN: target = selected_ < 0 ? from : from + 1; break;
    case VK_PRIOR: target = from - (page - 1 > 0 ? page - 1 : 1); break;
    case VK_NEXT: target = from + (page - 1 > 0 ? page - 1 : 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    default: return 0;
    }
    choose(std::clamp(target, 0, count - 1));
    return 0;
}

// A typed character moves to the next entry that begins with it.
LRESULT ListBox::on_char(unsigned char ch) {
    if (ch < 0x20 || !stores_strings()) return 0;
    std::optional<int> found = items_.find(selected_, std::string(1, static_cast<char>(ch)), false);
    if (found) choose(*found);
    return 0;
}

LRESULT ListBox::on_focus_changed(bool gained) {
    if (items_.count() == 0) invalidate_list();
    else redraw_item(caret_, ODA_FOCUS);
    if (notifies_) notify(gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
    return 0;
}

LRESULT ListBox::on_set_redraw(bool redraw) {
    redraw_ = redraw;
    default_proc(WM_SETREDRAW, redraw, 0);
    if (redraw) {
        update_scroll_bar();
        invalidate_list();
    }
    return 0;
}

LRESULT ListBox::on_scroll(int request) {
    int page = std::max(1, vbar_.page() - 1);
    int top = top_;
    switch (request) {
    case SB_LINEUP: --top; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = items_.count(); break;
    default: return 0;
    }
    set_top(top);
    return 0;
}

// ---- Drawing ----

void ListBox::invalidate_list() const {
    if (redraw_) InvalidateRect(hwnd(), nullptr, TRUE);
}

void ListBox::redraw_item(int index, UINT action) const {
    if (!redraw_ || !items_.valid(index) || !IsWindowVisible(hwnd())) return;
    HDC dc = GetDC(hwnd());
    if (!dc) return;
    HGDIOBJ previous = SelectObject(dc, font());
    query_colors(WM_CTLCOLORLISTBOX, dc);
    draw_item(dc, index, action);
    SelectObject(dc, previous);
    ReleaseDC(hwnd(), dc);
}

void ListBox::draw_item(HDC dc, int index, UINT action) const {
    RECT rect{};
    if (on_get_item_rect(index, &rect) != LB_OKAY) return;
    bool is_selected = index == selected_;
    bool has_focus = index == caret_ && focused();
    if (drawing_ == Drawing::Self) {
        draw_own_item(dc, index, rect);
        return;
    }
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = static_cast<UINT>(id());
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = action;
    dis.itemState = (is_selected ? ODS_SELECTED : 0) | (has_focus ? ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
    dis.hwndItem = hwnd();
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = items_.at(index).data;
    if (HWND p = parent()) SendMessageA(p, WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
}

void ListBox::draw_own_item(HDC dc, int index, const RECT& rect) const {
    bool is_selected = index == selected_;
    COLORREF text = GetTextColor(dc);
    COLORREF back = GetBkColor(dc);
    if (is_selected) {
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    } else if (!enabled()) {
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    const std::string& s = items_.at(index).text;
    ExtTextOutA(dc, rect.left + text_indent, rect.top, ETO_OPAQUE | ETO_CLIPPED, &rect, s.c_str(),
                static_cast<UINT>(s.size()), nullptr);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    if (index == caret_ && focused()) DrawFocusRect(dc, &rect);
}

LRESULT ListBox::on_paint() {
    if (!vbar_.shown() && wants_vscroll_) update_scroll_bar();
    PaintCycle paint(hwnd(), font());
    if (!redraw_) return 0;
    HDC dc = paint.dc();
    HBRUSH brush = query_colors(WM_CTLCOLORLISTBOX, dc);
    RECT area = list_rect();
    FillRect(dc, &area, brush);
    int y = area.top;
    for (int i = top_; i < items_.count() && y < area.bottom; ++i) {
        draw_item(dc, i, ODA_DRAWENTIRE);
        y += height_of(i);
    }
    // An empty list with the focus still shows where the focus is.
    if (items_.count() == 0 && focused()) {
        RECT r{area.left, area.top, area.right, area.top + fixed_height()};
        if (drawing_ == Drawing::Self) {
            DrawFocusRect(dc, &r);
        } else if (HWND p = parent()) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_LISTBOX;
            dis.CtlID = static_cast<UINT>(id());
            dis.itemID = static_cast<UINT>(-1);
            dis.itemAction = ODA_FOCUS;
            dis.itemState = ODS_FOCUS;
            dis.hwndItem = hwnd();
            dis.hDC = dc;
            dis.rcItem = r;
            SendMessageA(p, WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
        }
    }
    vbar_.draw(dc);
    return 0;
}

void register_list_box_class() {
    register_control_class(ListBox::class_name, control_window_proc<ListBox>, CS_DBLCLKS, 32512);
}

}  // namespace winsim::controls
