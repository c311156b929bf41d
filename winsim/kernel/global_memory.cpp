#include "kernel/global_memory.h"

#include <cstring>
#include <new>

#include "kernel/handle_table.h"

namespace winsim::kernel {

GlobalHeap& GlobalHeap::instance() {
    static GlobalHeap heap;
    return heap;
}

GlobalHeap::Block* GlobalHeap::find(HGLOBAL handle) {
    auto it = blocks_.find(handle);
    return it == blocks_.end() ? nullptr : &it->second;
}

HGLOBAL GlobalHeap::allocate(UINT flags, SIZE_T bytes) {
    if (flags & ~UINT(GMEM_MOVEABLE | GMEM_ZEROINIT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A zero-byte block still gets an address, so its handle stays unique.
    SIZE_T stored = bytes == 0 ? 1 : bytes;
    std::unique_ptr<unsigned char[]> memory(new (std::nothrow) unsigned char[stored]);
    if (!memory) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (flags & GMEM_ZEROINIT) std::memset(memory.get(), 0, stored);
    bool moveable = (flags & GMEM_MOVEABLE) != 0;
    HGLOBAL handle = moveable ? HandleTable::instance().reserve() : memory.get();
    std::lock_guard lock(mutex_);
    blocks_.emplace(handle, Block{std::move(memory), bytes, moveable, 0});
    return handle;
}

void* GlobalHeap::lock(HGLOBAL handle) {
    std::lock_guard guard(mutex_);
    Block* block = find(handle);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!block->moveable) return block->bytes.get();
    // A moveable block of no bytes has nothing to point at.
    if (block->size == 0) return nullptr;
    ++block->locks;
    return block->bytes.get();
}

BOOL GlobalHeap::unlock(HGLOBAL handle) {
    std::lock_guard guard(mutex_);
    Block* block = find(handle);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // A fixed block is never locked, and unlocking it always succeeds.
    if (!block->moveable) return TRUE;
    if (block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--block->locks > 0) return TRUE;
    SetLastError(NO_ERROR);
    return FALSE;
}

bool GlobalHeap::free(HGLOBAL handle) {
    std::lock_guard guard(mutex_);
    auto it = blocks_.find(handle);
    if (it == blocks_.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    blocks_.erase(it);
    return true;
}

}  // namespace winsim::kernel

using winsim::kernel::GlobalHeap;

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) { return GlobalHeap::instance().allocate(uFlags, dwBytes); }

LPVOID WINAPI GlobalLock(HGLOBAL hMem) { return GlobalHeap::instance().lock(hMem); }

BOOL WINAPI GlobalUnlock(HGLOBAL hMem) { return GlobalHeap::instance().unlock(hMem); }

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) { return GlobalHeap::instance().free(hMem) ? nullptr : hMem; }
