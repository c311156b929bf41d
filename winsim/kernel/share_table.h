// Which files the process holds open, with what access and what it lets others do, so a
// second open that the first one does not share fails as on Windows.
#pragma once

#include <sys/types.h>

#include <mutex>
#include <vector>

#include "win/kernel.h"

namespace winsim::kernel {

// Access in the bit positions of the FILE_SHARE_ flags that permit it.
inline constexpr DWORD kAccessRead = FILE_SHARE_READ;
inline constexpr DWORD kAccessWrite = FILE_SHARE_WRITE;
inline constexpr DWORD kAccessDelete = FILE_SHARE_DELETE;

struct FileIdentity {
    dev_t device;
    ino_t inode;
    bool operator==(const FileIdentity&) const = default;
};

class ShareTable {
public:
    static ShareTable& instance();

    // True when an open with this access and sharing fits beside every open of the file.
    bool admits(const FileIdentity& file, DWORD access, DWORD share) const;
    void add(const void* owner, const FileIdentity& file, DWORD access, DWORD share);
    void remove(const void* owner);

private:
    struct Open {
        const void* owner;
        FileIdentity file;
        DWORD access;
        DWORD share;
    };
    mutable std::mutex mutex_;
    std::vector<Open> opens_;
};

}  // namespace winsim::kernel
