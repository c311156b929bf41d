// A handle that WriteFile and SetFileTime act on: a host file or a memory buffer.
#pragma once

#include "kernel/kernel_object.h"
#include "win/kernel.h"

namespace winsim::kernel {

class OutputStream : public KernelObject {
public:
    // Stores up to `size` bytes at the file position (or at the offset of `at`, when given)
    // and says in `stored` how many it stored. Answers ERROR_SUCCESS or the failure.
    virtual DWORD write(const unsigned char* data, DWORD size, DWORD& stored, const OVERLAPPED* at) = 0;
    virtual DWORD set_times(const FILETIME* creation, const FILETIME* access, const FILETIME* write) = 0;
};

}  // namespace winsim::kernel
