// Runs the real installer program on a scratch machine under a script of the scripted user.
#pragma once

#include <filesystem>
#include <string>

class InstallerRun {
public:
    // A fresh scratch folder for one scenario: the script, its shots and the machine prefix.
    explicit InstallerRun(const std::string& name);
    // Removes the scratch folder unless the test has failed, so that its shots can be seen.
    ~InstallerRun();
    InstallerRun(const InstallerRun&) = delete;
    InstallerRun& operator=(const InstallerRun&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path machine() const { return folder_ / "machine"; }
    // The host path of a Windows path on the scratch machine's drives (C:\x -> drives/c/x).
    std::filesystem::path host_path(const std::string& windows_path) const;

    // Lines of winsim.ini written before the first run (keys left out keep their defaults).
    void set_machine_ini(const std::string& text);
    // WINSIM_SCREEN for the next runs, e.g. "800x600"; empty for the default.
    void set_screen(const std::string& size) { screen_ = size; }
    // An extra NAME=value for the program's environment on the next runs, e.g. "TZ=Asia/Kolkata".
    void add_environment(const std::string& assignment) { environment_ += " '" + assignment + "'"; }

    // Runs the installer with the script; answers its exit code (-1 if it could not run).
    int run(const std::string& script);
    // What the program printed on its last run.
    const std::string& output() const { return output_; }

    std::string read_file(const std::filesystem::path& host_file) const;

private:
    std::filesystem::path folder_;
    std::string screen_;
    std::string environment_;
    std::string output_;
};
