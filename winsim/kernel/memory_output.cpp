#include "kernel/memory_output.h"

#include <algorithm>
#include <cstdint>

namespace winsim::kernel {

DWORD MemoryOutput::write(const unsigned char* data, DWORD size, DWORD& stored, const OVERLAPPED* at) {
    if (at) position_ = std::size_t((std::uint64_t(at->OffsetHigh) << 32) | at->Offset);
    if (sink_.size() < position_ + size) sink_.resize(position_ + size);
    std::copy(data, data + size, sink_.begin() + std::ptrdiff_t(position_));
    position_ += size;
    stored = size;
    return ERROR_SUCCESS;
}

}  // namespace winsim::kernel
