#include "user/window_class.h"

#include <strings.h>

#include <cstdlib>

namespace winsim::user {

namespace {

constexpr ATOM kDialogAtom = 0x8002;

}  // namespace

ClassTable& ClassTable::instance() {
    static ClassTable table;
    return table;
}

ClassTable::ClassTable() {
    auto dialog = std::make_unique<WindowClass>();
    dialog->name = "#32770";
    dialog->atom = kDialogAtom;
    dialog->style = CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
    dialog->proc = DefDlgProcA;
    dialog->window_extra = DLGWINDOWEXTRA;
    dialog->cursor = LoadCursorA(nullptr, IDC_ARROW);
    dialog->background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    classes_.push_back(std::move(dialog));
}

const WindowClass* ClassTable::find(LPCSTR name_or_atom) const {
    if (!name_or_atom) return nullptr;
    if (IS_INTRESOURCE(name_or_atom)) {
        auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name_or_atom));
        for (const auto& cls : classes_)
            if (cls->atom == atom) return cls.get();
        return nullptr;
    }
    for (const auto& cls : classes_)
        if (strcasecmp(cls->name.c_str(), name_or_atom) == 0) return cls.get();
    return nullptr;
}

ATOM ClassTable::add(WindowClass cls) {
    if (find(cls.name.c_str())) return 0;
    cls.atom = next_atom_++;
    cls.class_bytes.assign(static_cast<std::size_t>(cls.class_extra), 0);
    classes_.push_back(std::make_unique<WindowClass>(std::move(cls)));
    return classes_.back()->atom;
}

}  // namespace winsim::user
