// One key of a hive: its name as spelled, its subkeys (ordered by name without regard to
// case) and its values (in the order they were first set).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/name_compare.h"

namespace winsim::registry {

struct RegistryValue {
    std::string name;  // empty for the default value
    unsigned type;     // REG_ type code
    std::string data;  // the bytes as stored, terminator included where the caller gave one
};

class RegistryKey {
public:
    explicit RegistryKey(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    RegistryKey* find_child(std::string_view name) const;
    // The existing child of that name, or a new one spelled as given.
    RegistryKey& child(std::string_view name, bool* created = nullptr);
    bool remove_child(std::string_view name);
    const std::map<std::string, std::unique_ptr<RegistryKey>, NameLess>& children() const {
        return children_;
    }

    const RegistryValue* find_value(std::string_view name) const;
    // Replaces the data of an existing value in place (its spelling and position stay).
    void set_value(std::string_view name, unsigned type, std::string data);
    bool delete_value(std::string_view name);
    const std::vector<RegistryValue>& values() const { return values_; }

    bool operator==(const RegistryKey& other) const;

private:
    std::string name_;
    std::map<std::string, std::unique_ptr<RegistryKey>, NameLess> children_;
    std::vector<RegistryValue> values_;
};

}  // namespace winsim::registry
