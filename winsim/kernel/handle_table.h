// The process's kernel handles: small multiples of four, as Windows hands them out, each
// standing for one object until it is closed.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "kernel/kernel_object.h"
#include "win/base.h"

namespace winsim::kernel {

class HandleTable {
public:
    static HandleTable& instance();

    HANDLE add(std::shared_ptr<KernelObject> object);
    // A fresh value that no handle of the table will take (global memory handles use these).
    HANDLE reserve();
    std::shared_ptr<KernelObject> find(HANDLE handle) const;
    template <class T>
    std::shared_ptr<T> find_as(HANDLE handle) const {
        return std::dynamic_pointer_cast<T>(find(handle));
    }
    // Removes the handle and hands back its object (null when the handle is unknown).
    std::shared_ptr<KernelObject> remove(HANDLE handle);

private:
    mutable std::mutex mutex_;
    std::uintptr_t next_ = 0x100;
    std::unordered_map<std::uintptr_t, std::shared_ptr<KernelObject>> objects_;
};

}  // namespace winsim::kernel
