#include "kernel/host_files.h"

#include <fcntl.h>

#include <cerrno>
#include <memory>

#include "kernel/errno_error.h"
#include "kernel/file_object.h"
#include "kernel/handle_table.h"
#include "kernel/memory_output.h"

namespace winsim::kernel {

HANDLE open_host_output(const std::filesystem::path& host_path) {
    int fd = ::open(host_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        SetLastError(error_from_errno(errno));
        return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_SUCCESS);
    return HandleTable::instance().add(
        std::make_shared<FileObject>(fd, kAccessWrite, FILE_SHARE_READ, 0, std::filesystem::path()));
}

HANDLE open_memory_output(std::vector<unsigned char>& sink) {
    return HandleTable::instance().add(std::make_shared<MemoryOutput>(sink));
}

}  // namespace winsim::kernel
