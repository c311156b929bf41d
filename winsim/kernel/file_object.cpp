#include "kernel/file_object.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "kernel/dos_attributes.h"
#include "kernel/file_time.h"

namespace winsim::kernel {

namespace {

bool omitted(const FILETIME* t) {
    return t == nullptr || (t->dwLowDateTime == 0xFFFFFFFFu && t->dwHighDateTime == 0xFFFFFFFFu);
}

}  // namespace

std::uint64_t bytes_used(const std::filesystem::path& root) {
    std::uint64_t total = 0;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(root, ec), end; !ec && it != end;
         it.increment(ec)) {
        struct stat st;
        if (::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode)) total += std::uint64_t(st.st_size);
    }
    return total;
}

FileObject::FileObject(int fd, DWORD access, DWORD share, std::uint64_t size_limit,
                       std::filesystem::path drive_root)
    : fd_(fd), access_(access), size_limit_(size_limit), drive_root_(std::move(drive_root)) {
    struct stat st;
    if (::fstat(fd_, &st) == 0) ShareTable::instance().add(this, {st.st_dev, st.st_ino}, access, share);
}

FileObject::~FileObject() {
    ShareTable::instance().remove(this);
    ::close(fd_);
}

DWORD FileObject::room_for(std::uint64_t position, DWORD size) const {
    if (size_limit_ == 0) return size;
    struct stat st;
    if (::fstat(fd_, &st) != 0) return size;
    std::uint64_t current = std::uint64_t(st.st_size);
    std::uint64_t end = position + size;
    std::uint64_t growth = end > current ? end - current : 0;
    std::uint64_t used = bytes_used(drive_root_);
    std::uint64_t free = used < size_limit_ ? size_limit_ - used : 0;
    if (growth <= free) return size;
    std::uint64_t cut = growth - free;
    return cut >= size ? 0 : DWORD(size - cut);
}

DWORD FileObject::write(const unsigned char* data, DWORD size, DWORD& stored, const OVERLAPPED* at) {
    stored = 0;
    if (!(access_ & kAccessWrite)) return ERROR_ACCESS_DENIED;
    off_t position;
    if (at) {
        position = off_t((std::uint64_t(at->OffsetHigh) << 32) | at->Offset);
        if (::lseek(fd_, position, SEEK_SET) < 0) return ERROR_INVALID_PARAMETER;
    } else {
        position = ::lseek(fd_, 0, SEEK_CUR);
        if (position < 0) position = 0;
    }
    DWORD room = room_for(std::uint64_t(position), size);
    DWORD error = room < size ? ERROR_DISK_FULL : ERROR_SUCCESS;
    while (stored < room) {
        ssize_t n = ::write(fd_, data + stored, room - stored);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = (n < 0 && errno != ENOSPC && errno != EFBIG && errno != EDQUOT) ? ERROR_WRITE_FAULT
                                                                                      : ERROR_DISK_FULL;
            break;
        }
        stored += DWORD(n);
    }
    return error;
}

DWORD FileObject::set_times(const FILETIME* creation, const FILETIME* access, const FILETIME* write) {
    if (!(access_ & kAccessWrite)) return ERROR_ACCESS_DENIED;
    timespec times[2];
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_nsec = UTIME_OMIT;
    if (!omitted(access)) times[0] = to_timespec(*access);
    if (!omitted(write)) times[1] = to_timespec(*write);
    if (::futimens(fd_, times) != 0) return ERROR_ACCESS_DENIED;
    if (!omitted(creation)) write_creation_time(fd_, *creation);
    return ERROR_SUCCESS;
}

}  // namespace winsim::kernel
