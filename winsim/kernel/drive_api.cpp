// The drives of the machine and the Windows folder.
#include <cstring>
#include <string>

#include "host/prefix.h"
#include "kernel/api_path.h"
#include "win/kernel.h"

namespace {

UINT drive_type_code(winsim::host::DriveType type) {
    switch (type) {
    case winsim::host::DriveType::Removable: return DRIVE_REMOVABLE;
    case winsim::host::DriveType::Cdrom: return DRIVE_CDROM;
    case winsim::host::DriveType::Remote: return DRIVE_REMOTE;
    case winsim::host::DriveType::Ramdisk: return DRIVE_RAMDISK;
    case winsim::host::DriveType::Fixed: break;
    }
    return DRIVE_FIXED;
}

// Copies `text` with its terminator when it fits; answers as the Get...A calls do: the
// length without terminator, or the size needed with it.
DWORD copy_out(const std::string& text, char* buffer, DWORD size) {
    if (!buffer || size < text.size() + 1) return DWORD(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return DWORD(text.size());
}

}  // namespace

DWORD WINAPI GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer) {
    std::string roots;
    for (const winsim::host::DriveInfo& d : winsim::host::prefix().drives()) {
        roots += d.letter;
        roots += ":\\";
        roots += '\0';
    }
    // The list ends with an empty string; the count leaves out that last terminator.
    if (!lpBuffer || nBufferLength < roots.size() + 1) return DWORD(roots.size() + 1);
    std::memcpy(lpBuffer, roots.data(), roots.size());
    lpBuffer[roots.size()] = '\0';
    return DWORD(roots.size());
}

UINT WINAPI GetDriveTypeA(LPCSTR lpRootPathName) {
    std::string root = lpRootPathName ? std::string(lpRootPathName)
                                      : winsim::kernel::current_folder().substr(0, 3);
    bool is_root = root.size() == 3 && root[1] == ':' && (root[2] == '\\' || root[2] == '/');
    if (!is_root) return DRIVE_NO_ROOT_DIR;
    const winsim::host::DriveInfo* drive = winsim::host::prefix().drive(root[0]);
    return drive ? drive_type_code(drive->type) : DRIVE_NO_ROOT_DIR;
}

UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
    std::string folder = winsim::host::prefix().setting("machine", "windows");
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    return copy_out(folder, lpBuffer, uSize);
}
