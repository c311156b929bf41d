#include "registry/registry_key.h"

#include <algorithm>

namespace winsim::registry {

RegistryKey* RegistryKey::find_child(std::string_view name) const {
    auto it = children_.find(name);
    return it == children_.end() ? nullptr : it->second.get();
}

RegistryKey& RegistryKey::child(std::string_view name, bool* created) {
    auto it = children_.find(name);
    if (created) *created = it == children_.end();
    if (it != children_.end()) return *it->second;
    std::string spelled(name);
    auto& slot = children_[spelled];
    slot = std::make_unique<RegistryKey>(spelled);
    return *slot;
}

bool RegistryKey::remove_child(std::string_view name) {
    auto it = children_.find(name);
    if (it == children_.end()) return false;
    children_.erase(it);
    return true;
}

const RegistryValue* RegistryKey::find_value(std::string_view name) const {
    for (const auto& value : values_)
        if (names_equal(value.name, name)) return &value;
    return nullptr;
}

void RegistryKey::set_value(std::string_view name, unsigned type, std::string data) {
    for (auto& value : values_) {
        if (names_equal(value.name, name)) {
            value.type = type;
            value.data = std::move(data);
            return;
        }
    }
    values_.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryKey::delete_value(std::string_view name) {
    auto it = std::find_if(values_.begin(), values_.end(),
                           [&](const RegistryValue& v) { return names_equal(v.name, name); });
    if (it == values_.end()) return false;
    values_.erase(it);
    return true;
}

bool RegistryKey::operator==(const RegistryKey& other) const {
    if (name_ != other.name_ || children_.size() != other.children_.size()) return false;
    if (values_.size() != other.values_.size()) return false;
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const auto& a = values_[i];
        const auto& b = other.values_[i];
        if (a.name != b.name || a.type != b.type || a.data != b.data) return false;
    }
    auto a = children_.begin();
    auto b = other.children_.begin();
    for (; a != children_.end(); ++a, ++b)
        if (!(*a->second == *b->second)) return false;
    return true;
}

}  // namespace winsim::registry
