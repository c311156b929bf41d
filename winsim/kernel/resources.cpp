// Module resources over the linked resource table.
#include "kernel/resources.h"

#include <cstdint>
#include <string_view>

#include "kernel/code_page.h"

namespace winsim {

namespace {

// Constant-initialised, so a table registered from another file's static initialiser is
// never overwritten by this one's.
constinit ResourceTable registered{nullptr, 0};

const unsigned char kNoBytes[1] = {0};

// A key as the API passes it: MAKEINTRESOURCE, "#123" or a name.
struct Key {
    bool is_id;
    std::uint16_t id;
    std::string_view text;
};

Key key_of(LPCSTR value) {
    if (IS_INTRESOURCE(value)) return {true, std::uint16_t(reinterpret_cast<std::uintptr_t>(value)), {}};
    std::string_view text(value);
    if (text.size() >= 2 && text[0] == '#') {
        std::uint32_t id = 0;
        bool digits = true;
        for (char c : text.substr(1)) {
            if (c < '0' || c > '9' || id > 0xFFFF) { digits = false; break; }
            id = id * 10 + std::uint32_t(c - '0');
        }
        if (digits && id <= 0xFFFF) return {true, std::uint16_t(id), {}};
    }
    return {false, 0, text};
}

bool matches(const ResourceKey& stored, const Key& wanted) {
    if (wanted.is_id) return stored.text == nullptr && stored.id == wanted.id;
    return stored.text != nullptr && kernel::ansi_iequal(stored.text, wanted.text);
}

const Resource* entry_of(HRSRC handle) {
    const Resource* entry = reinterpret_cast<const Resource*>(handle);
    if (!entry || !registered.items) return nullptr;
    if (entry < registered.items || entry >= registered.items + registered.count) return nullptr;
    return entry;
}

bool is_own_module(HMODULE module) { return module == nullptr || module == kernel::own_module(); }

}  // namespace

void register_module_resources(const ResourceTable& table) { registered = table; }

namespace kernel {

HMODULE own_module() { return reinterpret_cast<HMODULE>(std::uintptr_t(0x00400000)); }

const Resource* find_resource_entry(LPCSTR type, LPCSTR name) {
    if (!type || !name) return nullptr;
    Key t = key_of(type);
    Key n = key_of(name);
    for (std::size_t i = 0; i < registered.count; ++i) {
        const Resource& r = registered.items[i];
        if (matches(r.type, t) && matches(r.name, n)) return &r;
    }
    return nullptr;
}

std::optional<std::span<const unsigned char>> find_resource(LPCSTR type, LPCSTR name) {
    const Resource* r = find_resource_entry(type, name);
    if (!r) return std::nullopt;
    return std::span<const unsigned char>(r->data ? r->data : kNoBytes, r->size);
}

}  // namespace kernel
}  // namespace winsim

using namespace winsim;

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (lpModuleName == nullptr) return kernel::own_module();
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    if (!is_own_module(hModule)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    if (!lpName || !lpType) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (const Resource* r = kernel::find_resource_entry(lpType, lpName))
        return reinterpret_cast<HRSRC>(const_cast<Resource*>(r));
    Key t = key_of(lpType);
    bool type_present = false;
    for (std::size_t i = 0; i < registered.count && !type_present; ++i)
        type_present = matches(registered.items[i].type, t);
    SetLastError(type_present ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
    const Resource* r = entry_of(hResInfo);
    if (!r || !is_own_module(hModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // Resources are part of the image: the "loaded" block is the bytes themselves.
    return const_cast<unsigned char*>(r->data ? r->data : kNoBytes);
}

LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    const Resource* r = entry_of(hResInfo);
    if (!r || !is_own_module(hModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return r->size;
}
