// The registry of the simulated machine: the two hives of the prefix, the open key handles
// and the access a plain user has (admin = no in winsim.ini: no write access to
// HKEY_LOCAL_MACHINE). The C functions of win/registry.h translate into these calls.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>

#include "registry/hive.h"
#include "win/registry.h"

namespace winsim::registry {

class RegistryService {
public:
    // The registry of the current prefix, read on first use and again after the prefix
    // changed. A registry file that cannot be read stops the process with a message.
    static RegistryService& instance();

    // Drops what was read, so that the next call reads the files again as a new process
    // would (tests).
    static void forget();

    RegistryService(std::filesystem::path system_file, std::filesystem::path user_file, bool admin);

    // Reads both files; on failure `error` names the file and line.
    bool load(std::string& error);

    LONG create_key(HKEY parent, const char* sub_key, REGSAM access, HKEY* result,
                    DWORD* disposition);
    LONG open_key(HKEY parent, const char* sub_key, REGSAM access, HKEY* result);
    LONG set_value(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
    LONG query_value(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
    LONG delete_value(HKEY key, const char* name);
    LONG close_key(HKEY key);

private:
    struct OpenKey {
        Hive* hive;
        RegistryKey* key;
        REGSAM access;
    };

    const OpenKey* resolve(HKEY handle);
    bool access_allowed(const Hive& hive, REGSAM access) const;
    HKEY hand_out(Hive& hive, RegistryKey& key, REGSAM access);
    LONG saved(Hive& hive);

    std::mutex mutex_;
    Hive system_;
    Hive user_;
    bool admin_;
    OpenKey machine_root_{};
    OpenKey user_root_{};
    std::map<ULONG_PTR, OpenKey> handles_;
    ULONG_PTR next_handle_ = 0x1000;
};

}  // namespace winsim::registry
