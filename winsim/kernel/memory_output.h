// A write handle whose bytes go to a vector the caller owns (tests and benchmarks).
#pragma once

#include <vector>

#include "kernel/output_stream.h"

namespace winsim::kernel {

class MemoryOutput : public OutputStream {
public:
    explicit MemoryOutput(std::vector<unsigned char>& sink) : sink_(sink), position_(sink.size()) {}

    DWORD write(const unsigned char* data, DWORD size, DWORD& stored, const OVERLAPPED* at) override;
    DWORD set_times(const FILETIME*, const FILETIME*, const FILETIME*) override { return ERROR_SUCCESS; }

private:
    std::vector<unsigned char>& sink_;
    std::size_t position_;
};

}  // namespace winsim::kernel
