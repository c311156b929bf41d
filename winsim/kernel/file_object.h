// An open host file behind a kernel handle: its descriptor, the access it was opened for,
// the sharing it allows, and the size cap of the drive it lies on.
#pragma once

#include <cstdint>
#include <filesystem>

#include "kernel/output_stream.h"
#include "kernel/share_table.h"

namespace winsim::kernel {

class FileObject : public OutputStream {
public:
    // Takes ownership of `fd`. `size_limit` 0 means the drive holds any amount.
    FileObject(int fd, DWORD access, DWORD share, std::uint64_t size_limit,
               std::filesystem::path drive_root);
    ~FileObject() override;
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    DWORD write(const unsigned char* data, DWORD size, DWORD& stored, const OVERLAPPED* at) override;
    DWORD set_times(const FILETIME* creation, const FILETIME* access, const FILETIME* write) override;

private:
    // How many of `size` bytes written at `position` still fit on the drive.
    DWORD room_for(std::uint64_t position, DWORD size) const;

    int fd_;
    DWORD access_;
    std::uint64_t size_limit_;
    std::filesystem::path drive_root_;
};

// Bytes of all files beneath `root` (links are not followed).
std::uint64_t bytes_used(const std::filesystem::path& root);

}  // namespace winsim::kernel
