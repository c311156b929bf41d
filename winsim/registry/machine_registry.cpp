// The registry of this process: bound to the current machine prefix.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/prefix.h"
#include "registry/registry_service.h"

namespace winsim::registry {

namespace {

// Exit status of a process whose registry files cannot be read (EX_CONFIG).
constexpr int kUnreadableRegistryExit = 78;

struct Binding {
    std::filesystem::path root;
    std::unique_ptr<RegistryService> service;
};

Binding& binding() {
    static Binding current;
    return current;
}

// admin = no (or false, 0) in winsim.ini makes the user a plain one.
bool is_admin(std::string_view setting) {
    while (!setting.empty() && (setting.front() == ' ' || setting.front() == '\t'))
        setting.remove_prefix(1);
    while (!setting.empty() && (setting.back() == ' ' || setting.back() == '\t'))
        setting.remove_suffix(1);
    return !(names_equal(setting, "no") || names_equal(setting, "false") || setting == "0");
}

}  // namespace

RegistryService& RegistryService::instance() {
    Binding& current = binding();
    const host::Prefix& machine = host::prefix();
    if (!current.service || current.root != machine.root()) {
        bool admin = is_admin(machine.setting("machine", "admin", "yes"));
        auto service = std::make_unique<RegistryService>(machine.system_registry(),
                                                         machine.user_registry(), admin);
        std::string error;
        if (!service->load(error)) {
            std::fprintf(stderr,
                         "winsim: cannot read the registry: %s. The file is left as it is; the "
                         "program stops.\n",
                         error.c_str());
            std::exit(kUnreadableRegistryExit);
        }
        current.root = machine.root();
        current.service = std::move(service);
    }
    return *current.service;
}

void RegistryService::forget() { binding().service.reset(); }

}  // namespace winsim::registry
