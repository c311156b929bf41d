// RegisterClassExA and GetClassInfoExA.
#include <windows.h>

#include <cstring>

#include "user/window_class.h"

using winsim::user::ClassTable;
using winsim::user::WindowClass;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpszClassName || !wc->lpfnWndProc ||
        wc->cbClsExtra < 0 || wc->cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WindowClass cls;
    cls.name = IS_INTRESOURCE(wc->lpszClassName) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(wc->lpszClassName))
                                                 : std::string(wc->lpszClassName);
    cls.style = wc->style;
    cls.proc = wc->lpfnWndProc;
    cls.class_extra = wc->cbClsExtra;
    cls.window_extra = wc->cbWndExtra;
    cls.instance = wc->hInstance;
    cls.icon = wc->hIcon;
    cls.small_icon = wc->hIconSm;
    cls.cursor = wc->hCursor;
    cls.background = wc->hbrBackground;
    ATOM atom = ClassTable::instance().add(std::move(cls));
    if (!atom) SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return atom;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE, LPCSTR class_name, LPWNDCLASSEXA wc) {
    const WindowClass* cls = ClassTable::instance().find(class_name);
    if (!cls || !wc) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wc->cbSize = sizeof(WNDCLASSEXA);
    wc->style = cls->style;
    wc->lpfnWndProc = cls->proc;
    wc->cbClsExtra = cls->class_extra;
    wc->cbWndExtra = cls->window_extra;
    wc->hInstance = cls->instance;
    wc->hIcon = cls->icon;
    wc->hCursor = cls->cursor;
    wc->hbrBackground = cls->background;
    wc->lpszMenuName = nullptr;
    // The name as the caller gave it, like Windows (an atom stays an atom).
    wc->lpszClassName = class_name;
    wc->hIconSm = cls->small_icon;
    return TRUE;
}
