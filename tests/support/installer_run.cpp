#include "installer_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

InstallerRun::InstallerRun(const std::string& name) {
    folder_ = fs::temp_directory_path() / ("tarrowin-" + name + "-" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
}

InstallerRun::~InstallerRun() {
    std::error_code ignored;
    if (!::testing::Test::HasFailure()) fs::remove_all(folder_, ignored);
}

fs::path InstallerRun::host_path(const std::string& windows_path) const {
    std::string drive(1, static_cast<char>(std::tolower(static_cast<unsigned char>(windows_path[0]))));
    fs::path path = machine() / "drives" / drive;
    std::stringstream rest(windows_path.substr(3));
    std::string part;
    while (std::getline(rest, part, '\\'))
        if (!part.empty()) path /= part;
    return path;
}

void InstallerRun::set_machine_ini(const std::string& text) {
    fs::create_directories(machine());
    std::ofstream(machine() / "winsim.ini") << text;
}

std::string InstallerRun::read_file(const fs::path& host_file) const {
    std::ifstream in(host_file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int InstallerRun::run(const std::string& script) {
    fs::path script_file = folder_ / "scenario.script";
    fs::path output_file = folder_ / "output.txt";
    std::ofstream(script_file) << script;
    std::string command = "cd '" + folder_.string() + "' && env WINSIM_PREFIX='" + machine().string() +
                          "' WINSIM_DISPLAY=headless WINSIM_CLOCK=virtual WINSIM_SCRIPT='" +
                          script_file.string() + "'";
    if (!screen_.empty()) command += " WINSIM_SCREEN=" + screen_;
    command += environment_;
    command += " timeout 120 '" TARROWIN_BINARY_DIR "/bin/tarrowin' > '" + output_file.string() + "' 2>&1";
    int status = std::system(command.c_str());
    output_ = read_file(output_file);
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
