#include "scratch_machine.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>

#include "host/prefix.h"

ScratchMachine::ScratchMachine(std::string_view ini) {
    std::string pattern = (std::filesystem::temp_directory_path() / "winsim-kernel-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
    if (!ini.empty()) write_host_file(root_ / "winsim.ini", ini);
    setenv("WINSIM_PREFIX", root_.c_str(), 1);
    winsim::host::Prefix::reload();
}

ScratchMachine::~ScratchMachine() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

std::filesystem::path ScratchMachine::drive(char letter) const {
    return root_ / "drives" / std::string(1, letter);
}

void write_host_file(const std::filesystem::path& file, std::string_view text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
}

std::string read_host_file(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
