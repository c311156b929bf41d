// A simulated machine in a fresh temporary folder, with the drives and settings the shell
// tests look at; removed again when the test ends.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "host/prefix.h"

namespace fs = std::filesystem;

class ScratchMachine {
public:
    static constexpr const char* default_ini =
        "[machine]\n"
        "screen = 1024x768\n"
        "windows = C:\\WINDOWS\n"
        "programs = C:\\Documents and Settings\\Owner\\Start Menu\\Programs\n"
        "computer = Tarrow Box\n"
        "admin = yes\n"
        "[drives]\n"
        "A = removable\n"
        "C = fixed\n"
        "D = cdrom\n"
        "E = removable\n"
        "N = remote\n"
        "R = ramdisk\n";

    explicit ScratchMachine(const std::string& ini = default_ini) {
        std::string pattern = (fs::temp_directory_path() / "tarrowin-shell-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        std::ofstream(root_ / "winsim.ini") << ini;
        setenv("WINSIM_PREFIX", root_.c_str(), 1);
        winsim::host::Prefix::reload();
    }
    ~ScratchMachine() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    // Where a Windows path of the machine lies on the host.
    fs::path host(const std::string& windows_path) const {
        return winsim::host::prefix().host_path(windows_path);
    }

private:
    fs::path root_;
};
