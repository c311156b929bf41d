// The task allocator: blocks that remember their size, so that IMalloc can answer GetSize
// and DidAlloc, and that any holder of a block can free.
#pragma once

#include <cstddef>

namespace winsim::com {

void* task_alloc(std::size_t size);
void* task_realloc(void* block, std::size_t size);
void task_free(void* block);
// The block's size, or (size_t)-1 when it is not one of ours.
std::size_t task_size(const void* block);
bool task_owns(const void* block);

}  // namespace winsim::com
