// SHGetFileInfoA: display names and system icon indexes of paths and item identifier lists.
#include <cstring>

#include "host/prefix.h"
#include "shell/item_id_list.h"
#include "shell/shell_item.h"
#include "shell/system_icons.h"
#include "shell/windows_path.h"
#include "win/shell.h"

namespace {

using winsim::shell::ItemLook;
using winsim::shell::ShellLocation;

constexpr UINT supported_flags = SHGFI_SMALLICON | SHGFI_OPENICON | SHGFI_PIDL |
                                 SHGFI_USEFILEATTRIBUTES | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX;

// A path that does not start with a drive is taken from the Windows directory, which
// serves as the current directory of the simulated process.
std::string absolute_path(const char* path) {
    if (winsim::shell::drive_letter(path) && path[2] == '\\') return path;
    std::string relative(path);
    std::string absolute = winsim::host::prefix().setting("machine", "windows", "C:\\WINDOWS");
    if (!winsim::shell::drive_letter(absolute)) return {};
    if (relative == "." || relative.empty()) return absolute;
    if (relative.rfind(".\\", 0) == 0) relative.erase(0, 2);
    if (absolute.back() != '\\') absolute.push_back('\\');
    return absolute + relative;
}

std::optional<ShellLocation> location_of(LPCSTR pszPath, UINT uFlags) {
    if (uFlags & SHGFI_PIDL)
        return winsim::shell::read_list(reinterpret_cast<LPCITEMIDLIST>(pszPath));
    std::string path = absolute_path(pszPath);
    if (path.empty()) return std::nullopt;
    return ShellLocation{ShellLocation::Kind::Path, path};
}

std::optional<ItemLook> look_for(const ShellLocation& location, DWORD attributes, UINT uFlags) {
    const bool open = uFlags & SHGFI_OPENICON;
    if ((uFlags & SHGFI_USEFILEATTRIBUTES) && location.kind == ShellLocation::Kind::Path &&
        !winsim::shell::is_drive_root(location.path))
        return winsim::shell::look_from_attributes(location.path, attributes, open);
    return winsim::shell::look_of(location, open);
}

}  // namespace

DWORD_PTR WINAPI SHGetFileInfoA(LPCSTR pszPath, DWORD dwFileAttributes, SHFILEINFOA* psfi,
                                UINT cbFileInfo, UINT uFlags) {
    if (!pszPath || (uFlags & ~supported_flags) != 0) return 0;
    if (psfi && cbFileInfo < sizeof(SHFILEINFOA)) return 0;
    std::optional<ShellLocation> location = location_of(pszPath, uFlags);
    if (!location) return 0;
    std::optional<ItemLook> look = look_for(*location, dwFileAttributes, uFlags);
    if (!look) return 0;

    if (psfi) {
        psfi->hIcon = nullptr;
        psfi->dwAttributes = 0;
        if (uFlags & SHGFI_SYSICONINDEX) psfi->iIcon = look->icon;
        if (uFlags & SHGFI_DISPLAYNAME) {
            std::size_t n = std::min(look->display_name.size(), sizeof psfi->szDisplayName - 1);
            std::memcpy(psfi->szDisplayName, look->display_name.data(), n);
            psfi->szDisplayName[n] = '\0';
        }
    }
    if (uFlags & SHGFI_SYSICONINDEX)
        return reinterpret_cast<DWORD_PTR>(winsim::shell::system_image_list(uFlags & SHGFI_SMALLICON));
    return 1;
}
