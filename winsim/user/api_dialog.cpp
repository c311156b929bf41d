// The dialog functions of the API and DefDlgProcA.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "user/dialog_manager.h"
#include "user/dialog_template.h"
#include "user/window.h"
#include "user/window_tree.h"

using namespace winsim::user;

namespace {

constexpr WORD kClicked = 0;          // BN_CLICKED
constexpr UINT kNextDialogControl = 0x0028;   // WM_NEXTDLGCTL
constexpr DWORD kControlIdNotFound = 1421;    // ERROR_CONTROL_ID_NOT_FOUND

bool has_dialog_bytes(const Window* w) { return w && w->extra.size() >= DWLP_USER + sizeof(LONG_PTR); }

INT_PTR run_indirect(HINSTANCE instance, const void* data, std::size_t size, HWND owner, DLGPROC proc, LPARAM param) {
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    auto parsed = parse_dialog_template(data, size);
    if (!parsed) {
        SetLastError(ERROR_INVALID_DATA);
        return -1;
    }
    HWND dialog = DialogManager::instance().create(instance, *parsed, owner, proc, param, true);
    if (!dialog || !IsWindow(dialog)) {
        if (dialog) DialogManager::instance().forget(dialog);
        return -1;
    }
    return DialogManager::instance().run_modal(dialog);
}

bool returns_raw(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_INITDIALOG: return true;
        default: return false;
    }
}

// Where the focus goes when the dialog itself is given it: back to the control that had it,
// else the first tab stop.
void restore_focus(HWND dialog) {
    DialogManager& manager = DialogManager::instance();
    DialogManager::State* st = manager.state(dialog);
    HWND target = st ? st->saved_focus : nullptr;
    if (!target || !IsChild(dialog, target) || !IsWindowEnabled(target) || !IsWindowVisible(target))
        target = manager.first_tab_stop(dialog);
    if (target) SetFocus(target);
}

LRESULT default_dialog_handling(HWND dialog, Window* w, UINT message, WPARAM wparam, LPARAM lparam) {
    DialogManager& manager = DialogManager::instance();
    switch (message) {
        case WM_ERASEBKGND: {
            auto dc = reinterpret_cast<HDC>(wparam);
            auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog, WM_CTLCOLORDLG, wparam, reinterpret_cast<LPARAM>(dialog)));
            if (!brush) brush = GetSysColorBrush(COLOR_BTNFACE);
            RECT client;
            GetClientRect(dialog, &client);
            FillRect(dc, &client, brush);
            return 1;
        }
        case WM_CLOSE: {
            HWND cancel = GetDlgItem(dialog, IDCANCEL);
            if (cancel && !IsWindowEnabled(cancel)) return 0;
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, kClicked), reinterpret_cast<LPARAM>(cancel));
            return 0;
        }
        case WM_SETFONT:
            w->font = reinterpret_cast<HFONT>(wparam);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
        case DM_GETDEFID: {
            DialogManager::State* st = manager.state(dialog);
            if (st && st->default_id) return MAKELRESULT(*st->default_id, DC_HASDEFID);
            // Without DM_SETDEFID the template's default push button is the default.
            for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
                    return MAKELRESULT(GetDlgCtrlID(child), DC_HASDEFID);
            return 0;
        }
        case DM_SETDEFID:
            if (DialogManager::State* st = manager.state(dialog)) st->default_id = static_cast<WORD>(wparam);
            return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (DialogManager::State* st = manager.state(dialog); st && focus && IsChild(dialog, focus))
                    st->saved_focus = focus;
            } else {
                HWND focus = GetFocus();
                if (!focus || !IsChild(dialog, focus)) restore_focus(dialog);
            }
            return 0;
        case WM_SETFOCUS: restore_focus(dialog); return 0;
        case kNextDialogControl: {
            HWND target = lparam ? reinterpret_cast<HWND>(wparam) : manager.next_tab_stop(dialog, GetFocus(), wparam != 0);
            if (target) manager.focus_control(target);
            return 0;
        }
        default: return DefWindowProcA(dialog, message, wparam, lparam);
    }
}

}  // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC proc, LPARAM param) {
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    HRSRC resource = FindResourceA(instance, template_name, MAKEINTRESOURCEA(5));
    if (!resource) return -1;
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return -1;
    return run_indirect(instance, data, SizeofResource(instance, resource), owner, proc, param);
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialog_template, HWND owner, DLGPROC proc,
                                       LPARAM param) {
    // An in-memory template carries no size: it is trusted as Windows trusts it.
    return run_indirect(instance, dialog_template, SIZE_MAX / 2, owner, proc, param);
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    if (!IsWindow(dialog)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!DialogManager::instance().end(dialog, result)) ShowWindow(dialog, SW_HIDE);
    return TRUE;
}

LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    Window* w = find_window(dialog);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (!has_dialog_bytes(w)) return DefWindowProcA(dialog, message, wparam, lparam);
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC));
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
    INT_PTR answer = proc ? proc(dialog, message, wparam, lparam) : FALSE;
    w = find_window(dialog);
    if (!w) return answer;
    if (answer) return returns_raw(message) ? answer : GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
    if (message == WM_INITDIALOG) return 0;
    if (message == WM_NCDESTROY) DialogManager::instance().forget(dialog);
    return default_dialog_handling(dialog, w, message, wparam, lparam);
}

BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg) {
    if (!msg || !IsWindow(dialog)) return FALSE;
    return DialogManager::instance().handle_message(dialog, *msg) ? TRUE : FALSE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    Window* w = find_window(dialog);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    // Identifiers are words: -1 in a template is 0xFFFF, and both spellings find it.
    for (Window* child : w->children)
        if (static_cast<WORD>(child->id) == static_cast<WORD>(id)) return child->hwnd;
    SetLastError(kControlIdNotFound);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return w->is_child() ? static_cast<int>(w->id) : 0;
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextA(control, text) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) {
        if (buffer && size > 0) buffer[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(control, buffer, size));
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, message, wparam, lparam) : 0;
}

HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    Window* w = find_window(dialog);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const auto& children = w->children;
    if (children.empty()) return nullptr;
    const int count = static_cast<int>(children.size());
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (children[i]->hwnd == control) start = i;
    const int step = previous ? -1 : 1;
    int index = start < 0 ? (previous ? count : -1) : start;
    for (int n = 0; n < count; ++n) {
        index = (index + step + count) % count;
        Window* c = children[index];
        if ((c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED)) return c->hwnd;
    }
    return nullptr;
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
    DialogManager::State* st = DialogManager::instance().state(dialog);
    if (!st || !rect) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    auto scale = [](LONG v, int base, int div) {
        long long p = static_cast<long long>(v) * base;
        return static_cast<LONG>(p >= 0 ? (p + div / 2) / div : (p - div / 2) / div);
    };
    rect->left = scale(rect->left, st->base_x, 4);
    rect->right = scale(rect->right, st->base_x, 4);
    rect->top = scale(rect->top, st->base_y, 8);
    rect->bottom = scale(rect->bottom, st->base_y, 8);
    return TRUE;
}
