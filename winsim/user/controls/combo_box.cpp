#include "user/controls/combo_box.h"

#include <string>
#include <vector>

#include "user/controls/text_metrics.h"

namespace winsim::controls {

namespace {

// Height of the edit field over the height of a line of its font: margins and the sunken edge.
constexpr int edit_padding = 6;

// The list box's request that serves each combo box request passed on unchanged.
UINT list_request(UINT message) {
    switch (message) {
    case CB_ADDSTRING: return LB_ADDSTRING;
    case CB_INSERTSTRING: return LB_INSERTSTRING;
    case CB_DELETESTRING: return LB_DELETESTRING;
    case CB_RESETCONTENT: return LB_RESETCONTENT;
    case CB_FINDSTRINGEXACT: return LB_FINDSTRINGEXACT;
    case CB_GETCOUNT: return LB_GETCOUNT;
    case CB_GETCURSEL: return LB_GETCURSEL;
    case CB_GETLBTEXT: return LB_GETTEXT;
    case CB_GETLBTEXTLEN: return LB_GETTEXTLEN;
    case CB_GETITEMDATA: return LB_GETITEMDATA;
    case CB_SETITEMDATA: return LB_SETITEMDATA;
    case CB_GETITEMHEIGHT: return LB_GETITEMHEIGHT;
    default: return 0;
    }
}

}  // namespace

LRESULT ComboBox::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    if (UINT request = list_request(message)) return to_list(request, wparam, lparam);
    switch (message) {
    case WM_CREATE: return on_create(reinterpret_cast<const CREATESTRUCTA*>(lparam));
    case WM_SIZE: return on_size();
    case WM_PAINT: return on_paint();
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT: return on_set_font(reinterpret_cast<HFONT>(wparam), LOWORD(lparam) != 0);
    case WM_GETFONT: return on_get_font();
    case WM_SETFOCUS:
        // Focus that arrives at the combo box itself (Tab from the dialog) selects the field's
        // text, so that typing replaces it.
        if (edit_) {
            SetFocus(edit_);
            to_edit(EM_SETSEL, 0, -1);
        }
        return 0;
    case WM_ENABLE:
        if (edit_) EnableWindow(edit_, wparam != 0);
        if (list_) EnableWindow(list_, wparam != 0);
        return 0;
    case WM_COMMAND: return on_child_command(HIWORD(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DRAWITEM:
    case WM_MEASUREITEM: return on_owner_item(message, lparam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: return on_child_colors(message, wparam, lparam);
    case WM_SETTEXT: return on_set_text(reinterpret_cast<LPCSTR>(lparam));
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return to_edit(message, wparam, lparam);
    case CB_SETCURSEL: return on_set_cur_sel(static_cast<int>(static_cast<LONG_PTR>(wparam)));
    case CB_LIMITTEXT: to_edit(EM_LIMITTEXT, wparam, 0); return TRUE;
    case CB_GETEDITSEL: return to_edit(EM_GETSEL, wparam, lparam);
    case CB_SETEDITSEL: to_edit(EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lparam))),
                                static_cast<SHORT>(HIWORD(lparam)));
        return TRUE;
    default: return default_proc(message, wparam, lparam);
    }
}

LRESULT ComboBox::to_list(UINT message, WPARAM wparam, LPARAM lparam) const {
    return list_ ? SendMessageA(list_, message, wparam, lparam) : CB_ERR;
}

LRESULT ComboBox::to_edit(UINT message, WPARAM wparam, LPARAM lparam) const {
    return edit_ ? SendMessageA(edit_, message, wparam, lparam) : 0;
}

LRESULT ComboBox::on_create(const CREATESTRUCTA* create) {
    auto s = static_cast<DWORD>(create->style);
    DWORD edit_style = WS_CHILD | WS_VISIBLE | ES_LEFT;
    if (s & CBS_AUTOHSCROLL) edit_style |= ES_AUTOHSCROLL;
    DWORD list_style = WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (s & CBS_SORT) list_style |= LBS_SORT;
    if (s & CBS_HASSTRINGS) list_style |= LBS_HASSTRINGS;
    if (s & CBS_OWNERDRAWFIXED) list_style |= LBS_OWNERDRAWFIXED;
    if (s & CBS_OWNERDRAWVARIABLE) list_style |= LBS_OWNERDRAWVARIABLE;
    if (s & CBS_DISABLENOSCROLL) list_style |= LBS_DISABLENOSCROLL;
    if (s & WS_VSCROLL) list_style |= WS_VSCROLL;
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", edit_style, 0, 0, 0, 0, hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(edit_id)), create->hInstance, nullptr);
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", "", list_style, 0, 0, 0, 0, hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(list_id)), create->hInstance, nullptr);
    if (!edit_ || !list_) return -1;
    layout();
    return 0;
}

void ComboBox::layout() {
    if (!edit_ || !list_) return;
    RECT c = client_rect();
    int edit_height = TextMeasure(hwnd(), font()).line_height() + edit_padding;
    int width = c.right - c.left;
    int list_top = std::min(static_cast<int>(c.bottom), edit_height);
    MoveWindow(edit_, 0, 0, width, edit_height, TRUE);
    MoveWindow(list_, 0, list_top, width, c.bottom - list_top, TRUE);
}

LRESULT ComboBox::on_size() {
    layout();
    return 0;
}

LRESULT ComboBox::on_paint() {
    PaintCycle paint(hwnd(), font());
    RECT c = client_rect();
    FillRect(paint.dc(), &c, query_colors(WM_CTLCOLORSTATIC, paint.dc()));
    return 0;
}

LRESULT ComboBox::on_set_font(HFONT font, bool redraw) {
    Control::on_set_font(font, redraw);
    to_edit(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    to_list(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    layout();
    return 0;
}

void ComboBox::show_item_in_edit(int index) {
    std::string text;
    LRESULT length = index >= 0 ? to_list(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) : LB_ERR;
    if (length != LB_ERR && length >= 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
        to_list(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
        text = buffer.data();
    }
    setting_edit_ = true;
    to_edit(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    to_edit(EM_SETSEL, 0, -1);
    setting_edit_ = false;
    default_proc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT ComboBox::on_set_cur_sel(int index) {
    LRESULT result = to_list(LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index == -1 || result != LB_ERR) show_item_in_edit(result == LB_ERR ? -1 : index);
    return result;
}

LRESULT ComboBox::on_set_text(LPCSTR text) {
    setting_edit_ = true;
    to_edit(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
    setting_edit_ = false;
    default_proc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
    return TRUE;
}

LRESULT ComboBox::on_child_command(int code, HWND child) {
    if (child == list_) {
        if (code == LBN_SELCHANGE) {
            show_item_in_edit(static_cast<int>(to_list(LB_GETCURSEL, 0, 0)));
            notify(CBN_SELCHANGE);
        } else if (code == LBN_DBLCLK) {
            notify(CBN_DBLCLK);
        }
    } else if (child == edit_) {
        if (code == EN_CHANGE && !setting_edit_) {
            int length = GetWindowTextLengthA(edit_);
            std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
            GetWindowTextA(edit_, buffer.data(), length + 1);
            default_proc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
            notify(CBN_EDITCHANGE);
        } else if (code == EN_UPDATE && !setting_edit_) {
            notify(CBN_EDITUPDATE);
        } else if (code == EN_SETFOCUS) {
            notify(CBN_SETFOCUS);
        } else if (code == EN_KILLFOCUS) {
            notify(CBN_KILLFOCUS);
        }
    }
    return 0;
}

// The list's draw and measure requests reach the combo box's parent as the combo box's own.
LRESULT ComboBox::on_owner_item(UINT message, LPARAM item) {
    HWND p = parent();
    if (!p) return FALSE;
    if (message == WM_DRAWITEM) {
        DRAWITEMSTRUCT dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(item);
        dis.CtlType = ODT_COMBOBOX;
        dis.CtlID = static_cast<UINT>(id());
        dis.hwndItem = hwnd();
        return SendMessageA(p, WM_DRAWITEM, static_cast<WPARAM>(id()), reinterpret_cast<LPARAM>(&dis));
    }
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(item);
    mis->CtlType = ODT_COMBOBOX;
    mis->CtlID = static_cast<UINT>(id());
    return SendMessageA(p, WM_MEASUREITEM, static_cast<WPARAM>(id()), item);
}

LRESULT ComboBox::on_child_colors(UINT message, WPARAM dc, LPARAM child) {
    HWND p = parent();
    LRESULT brush = p ? SendMessageA(p, message, dc, child) : 0;
    if (!brush && p) brush = DefWindowProcA(p, message, dc, child);
    return brush;
}

void register_combo_box_class() {
    register_control_class(ComboBox::class_name, control_window_proc<ComboBox>, CS_DBLCLKS, 32512);
}

}  // namespace winsim::controls
