// Special folders, paths of item identifier lists and the shell's allocator.
#include <cstring>

#include "com/task_allocator.h"
#include "host/prefix.h"
#include "shell/item_id_list.h"
#include "win/shell.h"

namespace {

constexpr const char* default_programs = "C:\\Documents and Settings\\Owner\\Start Menu\\Programs";

// The task allocator behind IMalloc; one object for the process, never freed.
class ShellAllocator final : public IMalloc {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMalloc)) {
            *ppv = static_cast<IMalloc*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    void* STDMETHODCALLTYPE Alloc(SIZE_T cb) override { return winsim::com::task_alloc(cb); }
    void* STDMETHODCALLTYPE Realloc(void* pv, SIZE_T cb) override { return winsim::com::task_realloc(pv, cb); }
    void STDMETHODCALLTYPE Free(void* pv) override { winsim::com::task_free(pv); }
    SIZE_T STDMETHODCALLTYPE GetSize(void* pv) override { return winsim::com::task_size(pv); }
    int STDMETHODCALLTYPE DidAlloc(void* pv) override {
        if (!pv) return -1;
        return winsim::com::task_owns(pv) ? 1 : 0;
    }
    void STDMETHODCALLTYPE HeapMinimize() override {}
};

}  // namespace

HRESULT WINAPI SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST* ppidl) {
    if (!ppidl) return E_INVALIDARG;
    *ppidl = nullptr;
    switch (csidl) {
    case CSIDL_DRIVES:
        *ppidl = winsim::shell::make_computer_list();
        return *ppidl ? S_OK : E_OUTOFMEMORY;
    case CSIDL_PROGRAMS: {
        std::string programs = winsim::host::prefix().setting("machine", "programs", default_programs);
        DWORD attributes = GetFileAttributesA(programs.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        *ppidl = winsim::shell::make_path_list(programs);
        return *ppidl ? S_OK : E_FAIL;
    }
    default:
        return E_INVALIDARG;
    }
}

BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath) {
    if (!pszPath) return FALSE;
    pszPath[0] = '\0';
    std::optional<winsim::shell::ShellLocation> location = winsim::shell::read_list(pidl);
    if (!location || location->kind != winsim::shell::ShellLocation::Kind::Path) return FALSE;
    if (location->path.size() >= MAX_PATH) return FALSE;
    std::memcpy(pszPath, location->path.c_str(), location->path.size() + 1);
    return TRUE;
}

HRESULT WINAPI SHGetMalloc(LPMALLOC* ppMalloc) {
    if (!ppMalloc) return E_INVALIDARG;
    static ShellAllocator allocator;
    *ppMalloc = &allocator;
    return S_OK;
}
