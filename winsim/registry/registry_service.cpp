#include "registry/registry_service.h"

#include <string>
#include <vector>

namespace winsim::registry {

namespace {

// Rights that change a key, its values or its security; a plain user holds none of them
// on HKEY_LOCAL_MACHINE.
constexpr REGSAM kDelete = 0x00010000;
constexpr REGSAM kWriteDac = 0x00040000;
constexpr REGSAM kWriteOwner = 0x00080000;
constexpr REGSAM kGenericWrite = 0x40000000;
constexpr REGSAM kGenericAll = 0x10000000;
constexpr REGSAM kMaximumAllowed = 0x02000000;
constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | kDelete |
                                kWriteDac | kWriteOwner | kGenericWrite | kGenericAll |
                                kMaximumAllowed;
constexpr std::size_t kMaxKeyNameLength = 255;

const std::vector<std::string> kMachineDefaults = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
};
const std::vector<std::string> kUserDefaults = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
};

// Names that REGEDIT4 text can hold: no line breaks or other control characters.
bool storable_name(std::string_view name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

// Splits a subkey path into its names. A trailing backslash is allowed; a leading one,
// an empty name or an overlong one is not.
LONG split_path(const char* sub_key, std::vector<std::string_view>& parts) {
    if (!sub_key) return ERROR_SUCCESS;
    std::string_view rest = sub_key;
    if (!rest.empty() && rest.front() == '\\') return ERROR_BAD_PATHNAME;
    if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
    while (!rest.empty()) {
        std::size_t slash = rest.find('\\');
        std::string_view name = rest.substr(0, slash);
        if (name.empty()) return ERROR_BAD_PATHNAME;
        if (name.size() > kMaxKeyNameLength || !storable_name(name)) return ERROR_INVALID_PARAMETER;
        parts.push_back(name);
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    return ERROR_SUCCESS;
}

}  // namespace

RegistryService::RegistryService(std::filesystem::path system_file,
                                 std::filesystem::path user_file, bool admin)
    : system_("HKEY_LOCAL_MACHINE", std::move(system_file)),
      user_("HKEY_CURRENT_USER", std::move(user_file)),
      admin_(admin) {}

bool RegistryService::load(std::string& error) {
    HiveLoad machine = system_.load(kMachineDefaults);
    if (!machine.ok) {
        error = machine.error;
        return false;
    }
    HiveLoad user = user_.load(kUserDefaults);
    if (!user.ok) {
        error = user.error;
        return false;
    }
    machine_root_ = OpenKey{&system_, &system_.root(), REGSAM(admin_ ? KEY_ALL_ACCESS : KEY_READ)};
    user_root_ = OpenKey{&user_, &user_.root(), KEY_ALL_ACCESS};
    return true;
}

const RegistryService::OpenKey* RegistryService::resolve(HKEY handle) {
    if (handle == HKEY_LOCAL_MACHINE) return &machine_root_;
    if (handle == HKEY_CURRENT_USER) return &user_root_;
    auto it = handles_.find(reinterpret_cast<ULONG_PTR>(handle));
    return it == handles_.end() ? nullptr : &it->second;
}

bool RegistryService::access_allowed(const Hive& hive, REGSAM access) const {
    return admin_ || &hive != &system_ || (access & kWriteRights) == 0;
}

HKEY RegistryService::hand_out(Hive& hive, RegistryKey& key, REGSAM access) {
    ULONG_PTR handle = next_handle_;
    next_handle_ += 4;
    handles_[handle] = OpenKey{&hive, &key, access};
    return reinterpret_cast<HKEY>(handle);
}

LONG RegistryService::saved(Hive& hive) { return hive.save() ? ERROR_SUCCESS : ERROR_CANTWRITE; }

LONG RegistryService::create_key(HKEY parent, const char* sub_key, REGSAM access, HKEY* result,
                                 DWORD* disposition) {
    std::lock_guard lock(mutex_);
    if (!result || !sub_key) return ERROR_INVALID_PARAMETER;
    const OpenKey* from = resolve(parent);
    if (!from) return ERROR_INVALID_HANDLE;
    std::vector<std::string_view> parts;
    if (LONG status = split_path(sub_key, parts); status != ERROR_SUCCESS) return status;
    if (!access_allowed(*from->hive, access)) return ERROR_ACCESS_DENIED;

    RegistryKey* key = from->key;
    std::size_t level = 0;
    for (; level < parts.size(); ++level) {
        RegistryKey* next = key->find_child(parts[level]);
        if (!next) break;
        key = next;
    }
    bool creating = level < parts.size();
    if (creating && ((from->access & KEY_CREATE_SUB_KEY) == 0 ||
                     !access_allowed(*from->hive, KEY_CREATE_SUB_KEY)))
        return ERROR_ACCESS_DENIED;
    for (; level < parts.size(); ++level) key = &key->child(parts[level]);
    Hive& hive = *from->hive;
    if (creating) {
        if (LONG status = saved(hive); status != ERROR_SUCCESS) return status;
    }
    *result = hand_out(hive, *key, access);
    if (disposition) *disposition = creating ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegistryService::open_key(HKEY parent, const char* sub_key, REGSAM access, HKEY* result) {
    std::lock_guard lock(mutex_);
    if (!result) return ERROR_INVALID_PARAMETER;
    const OpenKey* from = resolve(parent);
    if (!from) return ERROR_INVALID_HANDLE;
    std::vector<std::string_view> parts;
    if (LONG status = split_path(sub_key, parts); status != ERROR_SUCCESS) return status;
    RegistryKey* key = from->key;
    for (auto name : parts) {
        key = key->find_child(name);
        if (!key) return ERROR_FILE_NOT_FOUND;
    }
    if (!access_allowed(*from->hive, access)) return ERROR_ACCESS_DENIED;
    *result = hand_out(*from->hive, *key, access);
    return ERROR_SUCCESS;
}

LONG RegistryService::set_value(HKEY handle, const char* name, DWORD type, const BYTE* data,
                                DWORD size) {
    std::lock_guard lock(mutex_);
    const OpenKey* open = resolve(handle);
    if (!open) return ERROR_INVALID_HANDLE;
    if ((open->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    std::string_view value_name = name ? name : "";
    if (!storable_name(value_name) || (!data && size)) return ERROR_INVALID_PARAMETER;
    std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
    open->key->set_value(value_name, type, std::move(bytes));
    return saved(*open->hive);
}

LONG RegistryService::query_value(HKEY handle, const char* name, DWORD* type, BYTE* data,
                                  DWORD* size) {
    std::lock_guard lock(mutex_);
    const OpenKey* open = resolve(handle);
    if (!open) return ERROR_INVALID_HANDLE;
    if ((open->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    if (data && !size) return ERROR_INVALID_PARAMETER;
    const RegistryValue* value = open->key->find_value(name ? name : "");
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (type) *type = value->type;
    auto needed = static_cast<DWORD>(value->data.size());
    if (!size) return ERROR_SUCCESS;
    if (data && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data) value->data.copy(reinterpret_cast<char*>(data), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegistryService::delete_value(HKEY handle, const char* name) {
    std::lock_guard lock(mutex_);
    const OpenKey* open = resolve(handle);
    if (!open) return ERROR_INVALID_HANDLE;
    if ((open->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    if (!open->key->delete_value(name ? name : "")) return ERROR_FILE_NOT_FOUND;
    return saved(*open->hive);
}

LONG RegistryService::close_key(HKEY handle) {
    std::lock_guard lock(mutex_);
    if (handle == HKEY_LOCAL_MACHINE || handle == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    return handles_.erase(reinterpret_cast<ULONG_PTR>(handle)) ? ERROR_SUCCESS
                                                               : ERROR_INVALID_HANDLE;
}

}  // namespace winsim::registry
