// A fresh simulated machine in a scratch folder for one test: its own prefix (drives,
// registry files, winsim.ini), removed again afterwards.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

class ScratchMachine {
public:
    // With `ini` empty the machine gets the default winsim.ini.
    explicit ScratchMachine(std::string_view ini = {});
    ~ScratchMachine();
    ScratchMachine(const ScratchMachine&) = delete;
    ScratchMachine& operator=(const ScratchMachine&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // The host path of a Windows path on this machine: X:\a\b as drives/x/a/b, each level
    // matched without regard to case where it exists, spelled as given where it does not.
    std::filesystem::path host(std::string_view windows_path) const;

    // Replaces winsim.ini and reads the machine again, as a new process would.
    void rewrite_ini(std::string_view ini);

private:
    std::filesystem::path root_;
};

// Makes the next registry call read the registry files again, as a new process would.
void StartNextRun();

void write_host_file(const std::filesystem::path& file, std::string_view bytes);
std::string read_host_file(const std::filesystem::path& file);
