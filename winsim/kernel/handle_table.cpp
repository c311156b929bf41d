#include "kernel/handle_table.h"

#include "win/kernel.h"

namespace winsim::kernel {

HandleTable& HandleTable::instance() {
    static HandleTable table;
    return table;
}

HANDLE HandleTable::add(std::shared_ptr<KernelObject> object) {
    std::lock_guard lock(mutex_);
    std::uintptr_t value = next_;
    next_ += 4;
    objects_.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

HANDLE HandleTable::reserve() {
    std::lock_guard lock(mutex_);
    std::uintptr_t value = next_;
    next_ += 4;
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> HandleTable::find(HANDLE handle) const {
    std::lock_guard lock(mutex_);
    auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == objects_.end() ? nullptr : it->second;
}

std::shared_ptr<KernelObject> HandleTable::remove(HANDLE handle) {
    std::lock_guard lock(mutex_);
    auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == objects_.end()) return nullptr;
    std::shared_ptr<KernelObject> object = std::move(it->second);
    objects_.erase(it);
    return object;
}

}  // namespace winsim::kernel

BOOL WINAPI CloseHandle(HANDLE hObject) {
    using winsim::kernel::HandleTable;
    std::shared_ptr<winsim::kernel::KernelObject> object = HandleTable::instance().find(hObject);
    if (!object || !object->closed_by_close_handle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    HandleTable::instance().remove(hObject);
    return TRUE;
}
