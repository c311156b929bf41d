#include "kernel/dos_attributes.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "kernel/file_time.h"

namespace winsim::kernel {

namespace {

constexpr const char* kAttributeName = "user.DOSATTRIB";
constexpr const char* kCreationName = "user.winsim.creation";

std::optional<DWORD> parse_stored_flags(const char* text, ssize_t length) {
    if (length <= 0 || length > 31) return std::nullopt;
    std::string s(text, std::size_t(length));
    char* end = nullptr;
    unsigned long value = std::strtoul(s.c_str(), &end, 16);
    if (end == s.c_str()) return std::nullopt;
    return DWORD(value) & kStoredFlags;
}

std::optional<DWORD> stored_flags(const std::filesystem::path& path) {
    char buffer[32];
    ssize_t n = ::getxattr(path.c_str(), kAttributeName, buffer, sizeof buffer);
    return parse_stored_flags(buffer, n);
}

std::string format_flags(DWORD attributes) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", unsigned(attributes & kStoredFlags));
    return text;
}

}  // namespace

std::optional<DWORD> read_attributes(const std::filesystem::path& path) {
    struct stat link;
    if (::lstat(path.c_str(), &link) != 0) return std::nullopt;
    struct stat st;
    bool target = ::stat(path.c_str(), &st) == 0;
    if (S_ISLNK(link.st_mode)) {
        DWORD a = FILE_ATTRIBUTE_REPARSE_POINT;
        if (target && S_ISDIR(st.st_mode)) a |= FILE_ATTRIBUTE_DIRECTORY;
        else a |= FILE_ATTRIBUTE_ARCHIVE;
        return a;
    }
    DWORD a = 0;
    bool folder = S_ISDIR(link.st_mode);
    if (folder) a |= FILE_ATTRIBUTE_DIRECTORY;
    if (is_read_only(link)) a |= FILE_ATTRIBUTE_READONLY;
    // A file nobody gave flags to is one that changed since the last backup.
    a |= stored_flags(path).value_or(folder ? 0 : FILE_ATTRIBUTE_ARCHIVE);
    return a == 0 ? FILE_ATTRIBUTE_NORMAL : a;
}

bool write_attributes(const std::filesystem::path& path, DWORD attributes) {
    if (attributes == FILE_ATTRIBUTE_NORMAL) attributes = 0;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    mode_t mode = st.st_mode & 07777;
    mode_t wanted = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    if (wanted != mode && ::chmod(path.c_str(), wanted) != 0) return false;
    std::string text = format_flags(attributes);
    // Without extended attributes on the host only read-only survives, as documented.
    ::setxattr(path.c_str(), kAttributeName, text.data(), text.size(), 0);
    return true;
}

void write_stored_flags(int fd, DWORD attributes) {
    std::string text = format_flags(attributes);
    ::fsetxattr(fd, kAttributeName, text.data(), text.size(), 0);
}

FILETIME read_creation_time(const std::filesystem::path& path) {
    char buffer[32];
    ssize_t n = ::getxattr(path.c_str(), kCreationName, buffer, sizeof buffer - 1);
    if (n > 0) {
        buffer[n] = 0;
        char* end = nullptr;
        unsigned long long ticks = std::strtoull(buffer, &end, 10);
        if (end != buffer) return to_file_time(std::uint64_t(ticks));
    }
    struct statx sx;
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME, &sx) == 0) {
        const statx_timestamp& t = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_mtime;
        timespec ts{};
        ts.tv_sec = time_t(t.tv_sec);
        ts.tv_nsec = long(t.tv_nsec);
        return to_file_time(ts);
    }
    return FILETIME{0, 0};
}

void write_creation_time(int fd, const FILETIME& time) {
    std::string text = std::to_string(to_uint64(time));
    ::fsetxattr(fd, kCreationName, text.data(), text.size(), 0);
}

}  // namespace winsim::kernel
