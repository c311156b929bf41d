// A fresh simulated machine in a scratch folder for one test.
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
    std::filesystem::path drive(char letter) const;   // host folder of the drive

private:
    std::filesystem::path root_;
};

// Writes `text` to a host file, creating its folders.
void write_host_file(const std::filesystem::path& file, std::string_view text);
std::string read_host_file(const std::filesystem::path& file);
