// The classes CoCreateInstance can make: each class identifier with the function that
// creates an instance and asks it for an interface.
#pragma once

#include "win/com.h"

namespace winsim::com {

// Makes a new object and answers QueryInterface(riid, ppv) on it; the object is released
// again when that fails.
using ClassFactory = HRESULT (*)(REFIID riid, void** ppv);

struct ClassEntry {
    CLSID clsid;
    DWORD contexts;  // CLSCTX_ values the class is registered for
    ClassFactory create;
};

// The registered class, or null.
const ClassEntry* find_class(REFCLSID clsid);

}  // namespace winsim::com
