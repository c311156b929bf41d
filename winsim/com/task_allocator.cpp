#include "com/task_allocator.h"

#include <cstdlib>
#include <mutex>
#include <unordered_map>

namespace winsim::com {

namespace {

// Live blocks and their sizes; a pointer that is not here was not allocated by us.
class BlockTable {
public:
    static BlockTable& instance() {
        static BlockTable table;
        return table;
    }
    void add(void* block, std::size_t size) {
        std::lock_guard lock(mutex_);
        sizes_[block] = size;
    }
    bool remove(void* block) {
        std::lock_guard lock(mutex_);
        return sizes_.erase(block) > 0;
    }
    bool find(const void* block, std::size_t& size) {
        std::lock_guard lock(mutex_);
        auto it = sizes_.find(block);
        if (it == sizes_.end()) return false;
        size = it->second;
        return true;
    }

private:
    std::mutex mutex_;
    std::unordered_map<const void*, std::size_t> sizes_;
};

}  // namespace

void* task_alloc(std::size_t size) {
    // A zero-byte request still yields a distinct block.
    void* block = std::malloc(size ? size : 1);
    if (block) BlockTable::instance().add(block, size);
    return block;
}

void* task_realloc(void* block, std::size_t size) {
    if (!block) return task_alloc(size);
    if (size == 0) {
        task_free(block);
        return nullptr;
    }
    std::size_t old_size = 0;
    if (!BlockTable::instance().find(block, old_size)) return nullptr;
    BlockTable::instance().remove(block);
    void* moved = std::realloc(block, size);
    if (!moved) {
        // The old block stays valid and ours.
        BlockTable::instance().add(block, old_size);
        return nullptr;
    }
    BlockTable::instance().add(moved, size);
    return moved;
}

void task_free(void* block) {
    if (block && BlockTable::instance().remove(block)) std::free(block);
}

std::size_t task_size(const void* block) {
    std::size_t size = 0;
    if (!block || !BlockTable::instance().find(block, size)) return static_cast<std::size_t>(-1);
    return size;
}

bool task_owns(const void* block) {
    std::size_t size = 0;
    return block && BlockTable::instance().find(block, size);
}

}  // namespace winsim::com
