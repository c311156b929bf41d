// Registered window classes: the program's own and the system dialog class.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace winsim::user {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int class_extra = 0;
    int window_extra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON small_icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::vector<unsigned char> class_bytes;
};

class ClassTable {
public:
    static ClassTable& instance();

    // A class by name (case-insensitive) or by atom (MAKEINTATOM, "#32770" for the dialog class).
    const WindowClass* find(LPCSTR name_or_atom) const;
    // Adds a class; 0 when one with that name exists.
    ATOM add(WindowClass cls);

    const WindowClass& dialog_class() const { return *classes_.front(); }

private:
    ClassTable();
    std::vector<std::unique_ptr<WindowClass>> classes_;
    ATOM next_atom_ = 0xC000;
};

}  // namespace winsim::user
