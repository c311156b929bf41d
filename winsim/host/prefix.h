// The simulated machine: a host folder (WINSIM_PREFIX, default ~/.winsim) with the drives,
// the registry files and winsim.ini. Created with defaults on first use; later uses fill in
// what is missing and never overwrite what is there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/ini.h"

namespace winsim::host {

enum class DriveType { Fixed, Removable, Cdrom, Remote, Ramdisk };

struct DriveInfo {
    char letter;                  // upper case
    DriveType type;
    std::uint64_t size_limit;     // bytes the drive holds; 0 when unlimited
    std::filesystem::path root;   // host folder drives/x
};

// Where a Windows path of the machine lies on the host. Each component is looked up without
// regard to case; from the first one that does not exist on, components are taken as spelled.
struct HostPath {
    const DriveInfo* drive = nullptr;
    std::filesystem::path host;   // the host location (the drive root for "X:\")
    std::string windows;          // the path with its components as found: "C:\WINDOWS\x.txt"
    bool is_root = false;         // the path names the drive root itself
    bool parent_exists = false;   // the folder that holds the last component exists
    bool exists = false;          // something exists at the whole path
};

enum class PathProblem {
    None,
    NotAbsolute,   // no "X:\" at the start
    NoSuchDrive,   // the letter names no drive of the machine
    InvalidName,   // a component holds a character Windows forbids in names
};

class Prefix {
public:
    const std::filesystem::path& root() const { return root_; }
    const std::vector<DriveInfo>& drives() const { return drives_; }  // in letter order
    const DriveInfo* drive(char letter) const;                        // any case; null if none

    // A value of winsim.ini, with `fallback` when the section or key is missing.
    std::string setting(const std::string& section, const std::string& key,
                        const std::string& fallback = {}) const;
    // The whole of winsim.ini as read at load time.
    const IniFile& ini() const { return ini_; }

    std::filesystem::path system_registry() const { return root_ / "system.reg"; }
    std::filesystem::path user_registry() const { return root_ / "user.reg"; }

    // Maps an absolute Windows path ("C:\..." or "C:/..."; "." and ".." components are
    // resolved) to the host. Texts are in the ANSI code page; host names are UTF-8.
    std::optional<HostPath> resolve(std::string_view windows_path,
                                    PathProblem* problem = nullptr) const;
    // The host location of a Windows path, or an empty path when it is not on a drive.
    std::filesystem::path host_path(std::string_view windows_path) const;

    // Reads WINSIM_PREFIX again and prepares that folder (tests point it at a scratch folder).
    static Prefix& reload();

private:
    friend Prefix& prefix();
    void load();
    void create_defaults();
    void read_drives();
    std::filesystem::path root_;
    std::vector<DriveInfo> drives_;
    IniFile ini_;
};

// The machine of this process, prepared on first use.
Prefix& prefix();

// The text winsim.ini gets when the prefix is created.
std::string_view default_ini_text();

}  // namespace winsim::host
