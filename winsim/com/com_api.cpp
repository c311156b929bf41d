// The C-style COM entry points.
#include "com/apartment.h"
#include "com/class_table.h"
#include "com/task_allocator.h"
#include "win/com.h"

using winsim::com::Apartment;

HRESULT WINAPI CoInitialize(LPVOID pvReserved) {
    if (pvReserved) return E_INVALIDARG;
    return Apartment::current().enter();
}

void WINAPI CoUninitialize() {
    Apartment::current().leave();
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext,
                                REFIID riid, LPVOID* ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!Apartment::current().initialised()) return CO_E_NOTINITIALIZED;
    const winsim::com::ClassEntry* entry = winsim::com::find_class(rclsid);
    if (!entry || (entry->contexts & dwClsContext) == 0) return REGDB_E_CLASSNOTREG;
    // None of our classes can be aggregated.
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    return entry->create(riid, ppv);
}

LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb) {
    return winsim::com::task_alloc(cb);
}

void WINAPI CoTaskMemFree(LPVOID pv) {
    winsim::com::task_free(pv);
}
