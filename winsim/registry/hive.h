// One registry file (system.reg for HKEY_LOCAL_MACHINE, user.reg for HKEY_CURRENT_USER):
// its tree in memory, loaded once and written back whole after every change.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_key.h"

namespace winsim::registry {

struct HiveLoad {
    bool ok = false;
    std::string error;  // "<file>, line N: what" when !ok
};

class Hive {
public:
    Hive(std::string root_name, std::filesystem::path file)
        : root_name_(std::move(root_name)), file_(std::move(file)) {}

    // Reads the file (a missing one is an empty hive), adds the default keys that are
    // missing and writes the file back if that changed it. A file that cannot be read is
    // left untouched.
    HiveLoad load(const std::vector<std::string>& default_keys);

    bool save() const;

    RegistryKey& root() { return *root_; }
    const std::string& root_name() const { return root_name_; }
    const std::filesystem::path& file() const { return file_; }

private:
    std::string root_name_;
    std::filesystem::path file_;
    std::unique_ptr<RegistryKey> root_;
};

}  // namespace winsim::registry
