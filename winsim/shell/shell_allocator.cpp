#include "shell/shell_allocator.h"

#include "com/task_allocator.h"

namespace winsim::shell {

ShellAllocator& ShellAllocator::instance() {
    static ShellAllocator allocator;
    return allocator;
}

HRESULT ShellAllocator::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMalloc)) {
        *ppv = static_cast<IMalloc*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

void* ShellAllocator::Alloc(SIZE_T cb) { return com::task_alloc(cb); }

void* ShellAllocator::Realloc(void* pv, SIZE_T cb) { return com::task_realloc(pv, cb); }

void ShellAllocator::Free(void* pv) { com::task_free(pv); }

SIZE_T ShellAllocator::GetSize(void* pv) { return com::task_size(pv); }

int ShellAllocator::DidAlloc(void* pv) {
    if (!pv) return -1;
    return com::task_owns(pv) ? 1 : 0;
}

}  // namespace winsim::shell
