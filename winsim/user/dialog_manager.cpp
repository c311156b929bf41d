#include "user/dialog_manager.h"

#include <strings.h>

#include <cstring>

#include "user/window.h"
#include "user/window_ops.h"
#include "user/window_tree.h"

#if __has_include("gdi/classic_style.h")
#include "gdi/classic_style.h"
#define WINSIM_HAVE_CLASSIC_STYLE 1
#endif

namespace winsim::user {

namespace {

constexpr WORD kClicked = 0;            // BN_CLICKED
constexpr UINT kSelectText = 0x00B1;    // EM_SETSEL

int mul_div(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

struct DialogFont {
    HFONT font = nullptr;
    bool owned = false;
    int base_x = 8;
    int base_y = 16;
};

// "MS Sans Serif" 8 pt has the classic base units 6 x 13; another font is measured.
DialogFont font_for(const DialogTemplate& t) {
    DialogFont result;
    if (!t.has_font) return result;
    const bool classic = strcasecmp(t.face.c_str(), "MS Sans Serif") == 0 && t.point_size == 8;
#ifdef WINSIM_HAVE_CLASSIC_STYLE
    if (classic && t.weight <= FW_NORMAL && !t.italic) {
        result.font = gdi::classic::dialog_font();
        result.base_x = 6;
        result.base_y = 13;
        return result;
    }
#endif
    LOGFONTA logfont{};
    logfont.lfHeight = -mul_div(t.point_size, 96, 72);
    logfont.lfWeight = t.weight ? t.weight : FW_NORMAL;
    logfont.lfItalic = t.italic ? 1 : 0;
    std::strncpy(logfont.lfFaceName, t.face.c_str(), sizeof logfont.lfFaceName - 1);
    result.font = CreateFontIndirectA(&logfont);
    result.owned = result.font != nullptr;
    if (classic) {
        result.base_x = 6;
        result.base_y = 13;
        return result;
    }
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, result.font);
    TEXTMETRICA metrics{};
    SIZE extent{};
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsA(dc, &metrics) && GetTextExtentPoint32A(dc, kAlphabet, 52, &extent) && extent.cx > 0) {
        result.base_x = static_cast<int>((extent.cx / 26 + 1) / 2);
        result.base_y = metrics.tmHeight;
    } else {
        result.base_x = 6;
        result.base_y = 13;
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return result;
}

struct PrepareDialog {
    DLGPROC proc;
};

void set_dialog_proc(Window& window, void* context) {
    auto* prepare = static_cast<PrepareDialog*>(context);
    if (window.extra.size() >= DWLP_DLGPROC + sizeof(LONG_PTR)) {
        auto value = reinterpret_cast<LONG_PTR>(prepare->proc);
        std::memcpy(window.extra.data() + DWLP_DLGPROC, &value, sizeof value);
    }
}


}  // namespace

DialogManager& DialogManager::instance() {
    static DialogManager manager;
    return manager;
}

DialogManager::State* DialogManager::state(HWND dialog) {
    auto it = states_.find(dialog);
    return it == states_.end() ? nullptr : &it->second;
}

HWND DialogManager::create(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc, LPARAM param,
                           bool modal) {
    DialogFont font = font_for(t);
    auto px_x = [&](int du) { return mul_div(du, font.base_x, 4); };
    auto px_y = [&](int du) { return mul_div(du, font.base_y, 8); };

    DWORD style = t.style & ~static_cast<DWORD>(WS_VISIBLE);
    DWORD ex_style = t.ex_style;
    if (t.style & DS_MODALFRAME) ex_style |= WS_EX_DLGMODALFRAME;
    if (modal) style &= ~static_cast<DWORD>(WS_CHILD);
    RECT client{0, 0, px_x(t.cx), px_y(t.cy)};
    RECT frame = client;
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    int x = px_x(t.x);
    int y = px_y(t.y);
    Window* owner_window = find_window(owner);
    if (owner_window && !(t.style & DS_ABSALIGN)) {
        POINT origin = WindowTree::client_origin_on_screen(owner_window);
        x += origin.x;
        y += origin.y;
    }
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (t.style & DS_CENTER) {
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }

    CREATESTRUCTA cs{};
    cs.lpCreateParams = reinterpret_cast<LPVOID>(param);
    cs.hInstance = instance;
    cs.hwndParent = owner;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = static_cast<LONG>(style);
    cs.dwExStyle = ex_style;
    cs.lpszName = t.caption.c_str();
    cs.lpszClass = t.class_name.empty() ? (t.class_atom ? MAKEINTATOM(*t.class_atom) : WC_DIALOG) : t.class_name.c_str();
    PrepareDialog prepare{proc};
    HWND dialog = ops::create_window(cs, set_dialog_proc, &prepare);
    if (!dialog) {
        if (font.owned) DeleteObject(font.font);
        return nullptr;
    }
    State& created = states_[dialog];
    created.modal = modal;
    created.base_x = font.base_x;
    created.base_y = font.base_y;
    if (Window* w = find_window(dialog)) {
        w->font = font.font;
        w->owns_font = font.owned;
    }
    if (t.has_font) SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font.font), FALSE);

    for (const DialogItem& item : t.items) {
        DWORD item_style = item.style | WS_CHILD;
        DWORD item_ex = item.ex_style | WS_EX_NOPARENTNOTIFY;
        // The 3-D look draws a sunken edge where the template asks for a plain border.
        if ((t.style & DS_3DLOOK) && (item_style & WS_BORDER)) {
            item_style &= ~static_cast<DWORD>(WS_BORDER);
            item_ex |= WS_EX_CLIENTEDGE;
        }
        LPCSTR name = item.text_ordinal ? MAKEINTRESOURCEA(*item.text_ordinal) : item.text.c_str();
        HWND control = CreateWindowExA(item_ex, item.class_name.c_str(), name, item_style, px_x(item.x), px_y(item.y),
                                       px_x(item.cx), px_y(item.cy), dialog,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                       const_cast<void*>(item.creation_data));
        if (!find_window(dialog)) return nullptr;
        if (!control) {
            if (t.style & DS_NOFAILCREATE) continue;
            DestroyWindow(dialog);
            forget(dialog);
            return nullptr;
        }
        if (t.has_font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.font), FALSE);
    }

    HWND first = first_tab_stop(dialog);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && find_window(dialog)) {
        if (first && find_window(first)) focus_control(first);
    }
    if (!find_window(dialog)) return dialog;
    State* after = state(dialog);
    if ((t.style & WS_VISIBLE) && !(after && after->ended)) ShowWindow(dialog, SW_SHOWNORMAL);
    return dialog;
}

INT_PTR DialogManager::run_modal(HWND dialog) {
    State* st = state(dialog);
    if (!st) return -1;
    Window* w = find_window(dialog);
    HWND owner = (w && w->owner) ? w->owner->hwnd : nullptr;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        st->disabled_owner = owner;
    }
    // A dialog ended during WM_INITDIALOG is never shown.
    if (!st->ended && !IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);
    while (find_window(dialog)) {
        st = state(dialog);
        if (!st || st->ended) break;
        MSG msg;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (!handle_message(dialog, msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    st = state(dialog);
    INT_PTR result = st ? st->result : 0;
    HWND disabled = st ? st->disabled_owner : nullptr;
    if (disabled && find_window(disabled)) EnableWindow(disabled, TRUE);
    if (st) st->disabled_owner = nullptr;
    if (find_window(dialog)) DestroyWindow(dialog);
    forget(dialog);
    return result;
}

bool DialogManager::end(HWND dialog, INT_PTR result) {
    State* st = state(dialog);
    if (!st) return false;
    st->ended = true;
    st->result = result;
    // The owner comes back before the dialog goes, so that it is the one activated.
    if (st->disabled_owner && find_window(st->disabled_owner)) EnableWindow(st->disabled_owner, TRUE);
    st = state(dialog);
    if (st) st->disabled_owner = nullptr;
    if (st && st->modal) ShowWindow(dialog, SW_HIDE);
    return true;
}

HWND DialogManager::first_tab_stop(HWND dialog) { return GetNextDlgTabItem(dialog, nullptr, FALSE); }

HWND DialogManager::next_tab_stop(HWND dialog, HWND focus, bool previous) {
    HWND control = focus;
    while (control && control != dialog) {
        HWND parent = GetParent(control);
        if (parent == dialog) break;
        control = parent;
    }
    if (control == dialog) control = nullptr;
    return GetNextDlgTabItem(dialog, control, previous ? TRUE : FALSE);
}

void DialogManager::focus_control(HWND control) {
    LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
    SetFocus(control);
    if (code & DLGC_HASSETSEL) SendMessageA(control, kSelectText, 0, -1);
}

bool DialogManager::handle_message(HWND dialog, MSG& msg) {
    if (!msg.hwnd || (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN) {
        const WPARAM key = msg.wParam;
        if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) {
            LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
            const bool wants_all = (code & DLGC_WANTALLKEYS) != 0;
            if (key == VK_TAB && !wants_all && !(code & DLGC_WANTTAB)) {
                const bool back = GetKeyState(VK_SHIFT) < 0;
                HWND next = next_tab_stop(dialog, GetFocus(), back);
                if (next) focus_control(next);
                return true;
            }
            if (key == VK_RETURN && !wants_all) {
                WORD id = IDOK;
                HWND focus = GetFocus();
                if (focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
                    id = static_cast<WORD>(GetDlgCtrlID(focus));
                } else {
                    LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
                    if (HIWORD(def) == DC_HASDEFID) id = LOWORD(def);
                }
                HWND control = GetDlgItem(dialog, id);
                if (control && !IsWindowEnabled(control)) return true;
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, kClicked), reinterpret_cast<LPARAM>(control));
                return true;
            }
            if (key == VK_ESCAPE && !wants_all) {
                HWND control = GetDlgItem(dialog, IDCANCEL);
                if (control && !IsWindowEnabled(control)) return true;
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, kClicked), reinterpret_cast<LPARAM>(control));
                return true;
            }
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

}  // namespace winsim::user
