// Attributes, folders and deletion of files on the drives of the machine.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "kernel/api_path.h"
#include "kernel/dos_attributes.h"
#include "kernel/errno_error.h"
#include "kernel/share_table.h"
#include "win/kernel.h"

using namespace winsim::kernel;

namespace {

BOOL fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

bool is_cdrom(const winsim::host::HostPath& path) {
    return path.drive->type == winsim::host::DriveType::Cdrom;
}

}  // namespace

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    std::optional<winsim::host::HostPath> path = resolve_api_path(lpFileName);
    if (!path) return INVALID_FILE_ATTRIBUTES;
    if (path->is_root) return FILE_ATTRIBUTE_DIRECTORY;
    std::optional<DWORD> attributes = path->exists ? read_attributes(path->host) : std::nullopt;
    if (!attributes) {
        SetLastError(missing_error(*path));
        return INVALID_FILE_ATTRIBUTES;
    }
    return *attributes;
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
    std::optional<winsim::host::HostPath> path = resolve_api_path(lpFileName);
    if (!path) return FALSE;
    if (!path->exists) return fail(missing_error(*path));
    if (is_cdrom(*path)) return fail(ERROR_ACCESS_DENIED);
    if (!write_attributes(path->host, dwFileAttributes)) return fail(error_from_errno(errno));
    return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    std::optional<winsim::host::HostPath> path = resolve_api_path(lpPathName);
    if (!path) return FALSE;
    if (path->exists) return fail(ERROR_ALREADY_EXISTS);
    if (!path->parent_exists) return fail(ERROR_PATH_NOT_FOUND);
    if (is_cdrom(*path)) return fail(ERROR_ACCESS_DENIED);
    if (::mkdir(path->host.c_str(), 0777) != 0)
        return fail(errno == EEXIST ? ERROR_ALREADY_EXISTS : error_from_errno(errno));
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    std::optional<winsim::host::HostPath> path = resolve_api_path(lpFileName);
    if (!path) return FALSE;
    if (path->is_root) return fail(ERROR_ACCESS_DENIED);
    struct stat link;
    if (!path->exists || ::lstat(path->host.c_str(), &link) != 0) return fail(missing_error(*path));
    struct stat st;
    bool target = ::stat(path->host.c_str(), &st) == 0;
    if (S_ISDIR(link.st_mode) || (S_ISLNK(link.st_mode) && target && S_ISDIR(st.st_mode)))
        return fail(ERROR_ACCESS_DENIED);
    if (!S_ISLNK(link.st_mode)) {
        if (is_read_only(link) || is_cdrom(*path)) return fail(ERROR_ACCESS_DENIED);
        // An open handle that does not share deletion keeps the file.
        if (!ShareTable::instance().admits({link.st_dev, link.st_ino}, kAccessDelete, 0x7))
            return fail(ERROR_SHARING_VIOLATION);
    }
    if (::unlink(path->host.c_str()) != 0) return fail(error_from_errno(errno));
    return TRUE;
}
