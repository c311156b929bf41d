// Maps the handles the API hands out to the objects behind them. Handles are never reused,
// so a stale handle is reported as invalid instead of reaching a newer object.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace winsim::gdi {

template <typename T>
class HandleTable {
public:
    // `base` spaces the tables apart so that a handle of one kind never names another.
    explicit HandleTable(std::uintptr_t base) : next_(base) {}

    std::uintptr_t add(std::shared_ptr<T> object) {
        std::uintptr_t handle = next_;
        next_ += 8;
        items_.emplace(handle, std::move(object));
        return handle;
    }
    std::shared_ptr<T> find(const void* handle) const {
        auto it = items_.find(reinterpret_cast<std::uintptr_t>(handle));
        return it == items_.end() ? nullptr : it->second;
    }
    bool remove(const void* handle) { return items_.erase(reinterpret_cast<std::uintptr_t>(handle)) > 0; }

private:
    std::uintptr_t next_;
    std::unordered_map<std::uintptr_t, std::shared_ptr<T>> items_;
};

}  // namespace winsim::gdi
