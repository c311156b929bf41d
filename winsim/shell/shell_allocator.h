// The shell's allocator: the task allocator behind IMalloc, one object for the process.
#pragma once

#include "win/com.h"

namespace winsim::shell {

class ShellAllocator final : public IMalloc {
public:
    static ShellAllocator& instance();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    // The object is never freed, so its count stays put.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    void* STDMETHODCALLTYPE Alloc(SIZE_T cb) override;
    void* STDMETHODCALLTYPE Realloc(void* pv, SIZE_T cb) override;
    void STDMETHODCALLTYPE Free(void* pv) override;
    SIZE_T STDMETHODCALLTYPE GetSize(void* pv) override;
    int STDMETHODCALLTYPE DidAlloc(void* pv) override;
    void STDMETHODCALLTYPE HeapMinimize() override {}

private:
    ShellAllocator() = default;
};

}  // namespace winsim::shell
