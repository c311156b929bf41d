// Special folders, paths of item identifier lists and the shell's allocator.
#include <cstring>

#include "host/prefix.h"
#include "shell/item_id_list.h"
#include "shell/shell_allocator.h"
#include "win/shell.h"

namespace {

constexpr const char* default_programs = "C:\\Documents and Settings\\Owner\\Start Menu\\Programs";

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
    *ppMalloc = &winsim::shell::ShellAllocator::instance();
    return S_OK;
}
