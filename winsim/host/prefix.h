// The simulated machine: a host folder (WINSIM_PREFIX, default ~/.winsim) with the drives,
// the registry files and winsim.ini. Created with defaults on first use; later uses fill in
// what is missing and never overwrite what is there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace winsim::host {

enum class DriveType { Fixed, Removable, Cdrom, Remote, Ramdisk };

struct DriveInfo {
    char letter;                  // upper case
    DriveType type;
    std::uint64_t size_limit;     // bytes the drive holds; 0 when unlimited
    std::filesystem::path root;   // host folder drives/x
};

class Prefix {
public:
    const std::filesystem::path& root() const { return root_; }
    const std::vector<DriveInfo>& drives() const { return drives_; }  // in letter order
    const DriveInfo* drive(char letter) const;                        // any case; null if none

    // A value of winsim.ini, with `fallback` when the section or key is missing.
    std::string setting(const std::string& section, const std::string& key,
                        const std::string& fallback = {}) const;

    std::filesystem::path system_registry() const { return root_ / "system.reg"; }
    std::filesystem::path user_registry() const { return root_ / "user.reg"; }

    // Reads WINSIM_PREFIX again and prepares that folder (tests point it at a scratch folder).
    static Prefix& reload();

private:
    friend Prefix& prefix();
    void load();
    std::filesystem::path root_;
    std::vector<DriveInfo> drives_;
    std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> ini_;
};

// The machine of this process, prepared on first use.
Prefix& prefix();

}  // namespace winsim::host
