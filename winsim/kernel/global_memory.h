// Global memory blocks. A fixed block's handle is its address; a moveable block has a
// handle of its own that GlobalLock turns into the address, counting the locks.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <mutex>

#include "win/kernel.h"

namespace winsim::kernel {

class GlobalHeap {
public:
    static GlobalHeap& instance();

    HGLOBAL allocate(UINT flags, SIZE_T bytes);
    // Null when `block` is no live block.
    void* lock(HGLOBAL block);
    // Answers whether the block is still locked; sets the last error as GlobalUnlock does.
    BOOL unlock(HGLOBAL block);
    bool free(HGLOBAL block);

private:
    struct Block {
        std::unique_ptr<unsigned char[]> bytes;
        SIZE_T size;
        bool moveable;
        unsigned locks;
    };
    Block* find(HGLOBAL handle);

    std::mutex mutex_;
    std::map<HGLOBAL, Block> blocks_;   // by handle: the address of a fixed block
};

}  // namespace winsim::kernel
