// Anything a kernel handle can stand for: files, searches, processes, memory outputs.
#pragma once

namespace winsim::kernel {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    // True when CloseHandle may end this handle (a search ends with FindClose instead).
    virtual bool closed_by_close_handle() const { return true; }
};

}  // namespace winsim::kernel
