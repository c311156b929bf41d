#include "scratch_machine.h"

#include <stdlib.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "host/prefix.h"
#include "registry/registry_service.h"

ScratchMachine::ScratchMachine(std::string_view ini) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarrowin-core-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    if (!ini.empty()) write_host_file(root_ / "winsim.ini", ini);
    setenv("WINSIM_PREFIX", root_.c_str(), 1);
    // Pauses of the installation pass on the virtual clock, in no real time.
    setenv("WINSIM_CLOCK", "virtual", 0);
    winsim::host::Prefix::reload();
    StartNextRun();
}

ScratchMachine::~ScratchMachine() {
    std::error_code ec;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root_, ec);
}

// The name of the entry of `folder` that matches `name` without regard to case, as the
// machine finds it; `name` itself when there is none.
static std::string existing_spelling(const std::filesystem::path& folder, std::string_view name) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string candidate = entry.path().filename().string();
        if (candidate.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; same && i < name.size(); ++i)
            same = std::tolower((unsigned char)candidate[i]) == std::tolower((unsigned char)name[i]);
        if (same) return candidate;
    }
    return std::string(name);
}

std::filesystem::path ScratchMachine::host(std::string_view windows_path) const {
    std::filesystem::path path = root_ / "drives" /
                                 std::string(1, char(std::tolower((unsigned char)windows_path[0])));
    std::string_view rest = windows_path.substr(windows_path.size() > 3 ? 3 : windows_path.size());
    while (!rest.empty()) {
        std::size_t slash = rest.find('\\');
        if (slash != 0) path /= existing_spelling(path, rest.substr(0, slash));
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
    return path;
}

void ScratchMachine::rewrite_ini(std::string_view ini) {
    write_host_file(root_ / "winsim.ini", ini);
    winsim::host::Prefix::reload();
    StartNextRun();
}

void StartNextRun() { winsim::registry::RegistryService::forget(); }

void write_host_file(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string read_host_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
