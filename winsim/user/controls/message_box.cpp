#include "user/controls/message_box.h"

#include <algorithm>

#include "gdi/classic_style.h"
#include "user/controls/template_writer.h"

namespace winsim::controls {

namespace gc = gdi::classic;

namespace {

// Sizes in dialog units.
constexpr int margin_x = 7;
constexpr int margin_y = 7;
constexpr int icon_gap = 7;
constexpr int button_width = 50;
constexpr int button_height = 14;
constexpr int button_gap = 4;
constexpr int text_to_buttons = 8;
// Room beside the caption text for the close box and the frame, in pixels.
constexpr int caption_room = 48;
// Dialog base units of the dialog font: 4 horizontal units are this many pixels, and 8
// vertical units this many.
constexpr int base_x = 6;
constexpr int base_y = 13;

int du_x(int px) { return (px * 4 + base_x - 1) / base_x; }
int du_y(int px) { return (px * 8 + base_y - 1) / base_y; }

// State of one open box, reached from its dialog procedure.
struct OpenBox {
    const char* text;
    const char* caption;
    UINT type;
    std::vector<MessageBoxButton> buttons;
    int default_id;
};

constexpr int text_id = 0xFFFF;
constexpr int icon_id = 20;

INT_PTR on_init_dialog(HWND dialog, OpenBox* box) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(box));
    SetWindowTextA(dialog, box->caption);
    SetDlgItemTextA(dialog, text_id, box->text);
    if (LPCSTR icon_name = message_box_icon(box->type)) {
        if (HICON icon = LoadIconA(nullptr, icon_name))
            SendDlgItemMessageA(dialog, icon_id, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    // Centred on the screen, as the system places its boxes.
    RECT r{};
    GetWindowRect(dialog, &r);
    int w = r.right - r.left;
    int h = r.bottom - r.top;
    MoveWindow(dialog, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, FALSE);
    if (HWND button = GetDlgItem(dialog, box->default_id)) SetFocus(button);
    return FALSE;
}

bool has_button(const OpenBox& box, int id) {
    return std::any_of(box.buttons.begin(), box.buttons.end(), [&](const MessageBoxButton& b) { return b.id == id; });
}

// Enter arrives as IDOK, Escape and the close box as IDCANCEL; they end the box only as
// one of its own buttons would.
void on_command(HWND dialog, OpenBox& box, int id) {
    if (has_button(box, id)) {
        EndDialog(dialog, id);
        return;
    }
    if (id == IDCANCEL && message_box_escapes(box.type)) {
        EndDialog(dialog, has_button(box, IDCANCEL) ? IDCANCEL : IDOK);
        return;
    }
    if (id == IDOK) {
        HWND focus = GetFocus();
        int focused_id = focus && GetParent(focus) == dialog ? GetDlgCtrlID(focus) : 0;
        EndDialog(dialog, has_button(box, focused_id) ? focused_id : box.default_id);
    }
}

INT_PTR CALLBACK message_box_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* box = reinterpret_cast<OpenBox*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: return on_init_dialog(dialog, reinterpret_cast<OpenBox*>(lparam));
    case WM_COMMAND:
        if (box && HIWORD(wparam) == BN_CLICKED) on_command(dialog, *box, LOWORD(wparam));
        return TRUE;
    case DM_GETDEFID:
        if (!box) return FALSE;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, MAKELONG(box->default_id, DC_HASDEFID));
        return TRUE;
    default: return FALSE;
    }
}

SIZE measure_text(const char* text, int max_width) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, gc::dialog_font());
    RECT r{0, 0, max_width, 0};
    DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

int measure_caption(const char* caption) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, gc::caption_font());
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, caption, static_cast<int>(std::char_traits<char>::length(caption)), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

}  // namespace

std::vector<MessageBoxButton> message_box_buttons(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: return {{IDOK, "OK"}};
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {};
    }
}

LPCSTR message_box_icon(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
    }
}

bool message_box_escapes(UINT type) {
    UINT kind = type & MB_TYPEMASK;
    return kind == MB_OK || kind == MB_OKCANCEL || kind == MB_YESNOCANCEL || kind == MB_RETRYCANCEL;
}

MessageBoxLayout lay_out_message_box(SIZE text_pixels, int caption_pixels, bool has_icon, int button_count) {
    MessageBoxLayout layout{};
    int icon_w = has_icon ? du_x(gc::kIcon) : 0;
    int icon_h = has_icon ? du_y(gc::kIcon) : 0;
    int text_w = du_x(text_pixels.cx) + 1;
    int text_h = du_y(text_pixels.cy) + 1;
    int text_x = margin_x + (has_icon ? icon_w + icon_gap : 0);
    int content_h = std::max(icon_h, text_h);
    // A text shorter than the icon stands beside the icon's middle.
    int text_y = margin_y + (content_h - text_h) / 2;
    layout.icon = has_icon ? RECT{margin_x, margin_y, margin_x + icon_w, margin_y + icon_h} : RECT{0, 0, 0, 0};
    layout.text = RECT{text_x, text_y, text_x + text_w, text_y + text_h};
    int row_w = button_count * button_width + std::max(0, button_count - 1) * button_gap;
    int width = std::max({text_x + text_w + margin_x, row_w + 2 * margin_x, du_x(caption_pixels + caption_room)});
    int row_y = margin_y + content_h + text_to_buttons;
    int x = (width - row_w) / 2;
    for (int i = 0; i < button_count; ++i) {
        layout.buttons.push_back(RECT{x, row_y, x + button_width, row_y + button_height});
        x += button_width + button_gap;
    }
    layout.size = SIZE{width, row_y + button_height + margin_y};
    return layout;
}

}  // namespace winsim::controls

using namespace winsim::controls;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    OpenBox box{text ? text : "", caption ? caption : "Error", type, message_box_buttons(type), 0};
    if (box.buttons.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::size_t default_index = (type & MB_DEFMASK) >> 8;
    if (default_index >= box.buttons.size()) default_index = 0;
    box.default_id = box.buttons[default_index].id;

    bool has_icon = message_box_icon(type) != nullptr;
    int max_width = GetSystemMetrics(SM_CXSCREEN) * 5 / 8;
    MessageBoxLayout layout = lay_out_message_box(measure_text(box.text, max_width), measure_caption(box.caption),
                                                  has_icon, static_cast<int>(box.buttons.size()));

    DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK;
    if (message_box_escapes(type)) style |= WS_SYSMENU;
    auto s = [](LONG v) { return static_cast<short>(v); };
    TemplateWriter writer(style, 0, 0, s(layout.size.cx), s(layout.size.cy), "", 8, "MS Sans Serif");
    if (has_icon) {
        const RECT& r = layout.icon;
        writer.add_item(WS_CHILD | WS_VISIBLE | SS_ICON, s(r.left), s(r.top), s(r.right - r.left),
                        s(r.bottom - r.top), icon_id, TemplateWriter::static_class, "");
    }
    const RECT& t = layout.text;
    writer.add_item(WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_NOPREFIX, s(t.left), s(t.top),
                    s(t.right - t.left), s(t.bottom - t.top), static_cast<WORD>(text_id),
                    TemplateWriter::static_class, "");
    for (std::size_t i = 0; i < box.buttons.size(); ++i) {
        const RECT& r = layout.buttons[i];
        DWORD button_style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                             (box.buttons[i].id == box.default_id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        writer.add_item(button_style, s(r.left), s(r.top), s(r.right - r.left), s(r.bottom - r.top),
                        static_cast<WORD>(box.buttons[i].id), TemplateWriter::button_class, box.buttons[i].label);
    }
    INT_PTR result = DialogBoxIndirectParamA(nullptr, writer.data(), owner, message_box_proc,
                                             reinterpret_cast<LPARAM>(&box));
    return result > 0 ? static_cast<int>(result) : 0;
}
