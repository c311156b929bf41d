#include "com/class_table.h"

#include "shell/shell_link.h"
#include "win/shell.h"

namespace winsim::com {

namespace {

const ClassEntry classes[] = {
    {CLSID_ShellLink, CLSCTX_INPROC_SERVER, &shell::ShellLink::create},
};

}  // namespace

const ClassEntry* find_class(REFCLSID clsid) {
    for (const ClassEntry& entry : classes)
        if (IsEqualCLSID(entry.clsid, clsid)) return &entry;
    return nullptr;
}

}  // namespace winsim::com
