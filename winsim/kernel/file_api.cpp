// CreateFileA, WriteFile and SetFileTime over the drives of the machine.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "kernel/api_path.h"
#include "kernel/dos_attributes.h"
#include "kernel/errno_error.h"
#include "kernel/file_object.h"
#include "kernel/file_time.h"
#include "kernel/handle_table.h"
#include "win/kernel.h"

using namespace winsim::kernel;

namespace {

constexpr DWORD kGenericAll = 0x10000000;
constexpr DWORD kFileReadData = 0x0001;
constexpr DWORD kFileWriteData = 0x0002;
constexpr DWORD kFileAppendData = 0x0004;
constexpr DWORD kDeleteAccess = 0x00010000;

DWORD access_bits(DWORD desired) {
    DWORD bits = 0;
    if (desired & (GENERIC_READ | kGenericAll | kFileReadData)) bits |= kAccessRead;
    if (desired & (GENERIC_WRITE | kGenericAll | kFileWriteData | kFileAppendData)) bits |= kAccessWrite;
    if (desired & (kDeleteAccess | kGenericAll)) bits |= kAccessDelete;
    return bits;
}

HANDLE fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

// Why an existing file may not be opened this way, or ERROR_SUCCESS.
DWORD refusal_for_existing(const winsim::host::HostPath& path, const struct stat& st, DWORD access,
                           DWORD share, DWORD disposition, DWORD flags) {
    if (S_ISDIR(st.st_mode)) return ERROR_ACCESS_DENIED;
    bool truncating = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
    if (((access & kAccessWrite) || truncating) && is_read_only(st)) return ERROR_ACCESS_DENIED;
    if ((access & kAccessRead) && !is_readable(st)) return ERROR_ACCESS_DENIED;
    if (disposition == CREATE_ALWAYS) {
        // Replacing a hidden or system file requires asking for the same attributes.
        DWORD present = read_attributes(path.host).value_or(0);
        DWORD guarded = present & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if ((guarded & flags) != guarded) return ERROR_ACCESS_DENIED;
    }
    DWORD checked = truncating ? (access | kAccessWrite) : access;
    if (!ShareTable::instance().admits({st.st_dev, st.st_ino}, checked, share))
        return ERROR_SHARING_VIOLATION;
    return ERROR_SUCCESS;
}

int open_flags(DWORD access, DWORD disposition, bool exists) {
    int flags = O_CLOEXEC;
    if ((access & kAccessRead) && (access & kAccessWrite)) flags |= O_RDWR;
    else if (access & kAccessWrite) flags |= O_WRONLY;
    else flags |= O_RDONLY;
    switch (disposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default: break;
    }
    // Truncation needs a descriptor open for writing even when only attributes were asked.
    if ((flags & O_TRUNC) && !(flags & (O_WRONLY | O_RDWR))) flags = (flags & ~O_RDONLY) | O_RDWR;
    (void)exists;
    return flags;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE) {
    if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
        return fail(ERROR_INVALID_PARAMETER);
    DWORD access = access_bits(dwDesiredAccess);
    if (dwCreationDisposition == TRUNCATE_EXISTING && !(access & kAccessWrite))
        return fail(ERROR_INVALID_PARAMETER);

    std::optional<winsim::host::HostPath> path = resolve_api_path(lpFileName);
    if (!path) return INVALID_HANDLE_VALUE;
    if (path->is_root) return fail(ERROR_ACCESS_DENIED);
    if (!path->parent_exists) return fail(ERROR_PATH_NOT_FOUND);

    struct stat st;
    bool exists = ::stat(path->host.c_str(), &st) == 0;
    if (exists) {
        DWORD refusal = refusal_for_existing(*path, st, access, dwShareMode, dwCreationDisposition,
                                             dwFlagsAndAttributes);
        if (refusal == ERROR_SUCCESS && dwCreationDisposition == CREATE_NEW) refusal = ERROR_FILE_EXISTS;
        if (refusal != ERROR_SUCCESS) return fail(refusal);
    } else if (dwCreationDisposition == OPEN_EXISTING || dwCreationDisposition == TRUNCATE_EXISTING) {
        return fail(ERROR_FILE_NOT_FOUND);
    }
    bool creates = !exists || dwCreationDisposition == CREATE_ALWAYS;
    if (path->drive->type == winsim::host::DriveType::Cdrom && (creates || (access & kAccessWrite)))
        return fail(ERROR_ACCESS_DENIED);

    int fd = ::open(path->host.c_str(), open_flags(access, dwCreationDisposition, exists), 0666);
    if (fd < 0) return fail(error_from_errno(errno));

    if (creates) {
        DWORD attributes = (dwFlagsAndAttributes & kStoredFlags) | FILE_ATTRIBUTE_ARCHIVE;
        write_stored_flags(fd, attributes);
        if (!exists) write_creation_time(fd, file_time_now());
        // The new file is read-only for later opens; this handle keeps its write access.
        if ((dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) && ::fstat(fd, &st) == 0)
            ::fchmod(fd, st.st_mode & 07777 & ~mode_t(0222));
    }
    HANDLE handle = HandleTable::instance().add(std::make_shared<FileObject>(
        fd, access, dwShareMode, path->drive->size_limit, path->drive->root));
    bool reports_existing = exists && (dwCreationDisposition == CREATE_ALWAYS ||
                                       dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(reports_existing ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
    std::shared_ptr<OutputStream> stream = HandleTable::instance().find_as<OutputStream>(hFile);
    if (!stream) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!lpBuffer && nNumberOfBytesToWrite > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DWORD stored = 0;
    DWORD error = stream->write(static_cast<const unsigned char*>(lpBuffer), nNumberOfBytesToWrite,
                                stored, lpOverlapped);
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = stored;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI SetFileTime(HANDLE hFile, const FILETIME* lpCreationTime, const FILETIME* lpLastAccessTime,
                        const FILETIME* lpLastWriteTime) {
    std::shared_ptr<OutputStream> stream = HandleTable::instance().find_as<OutputStream>(hFile);
    if (!stream) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    DWORD error = stream->set_times(lpCreationTime, lpLastAccessTime, lpLastWriteTime);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}
