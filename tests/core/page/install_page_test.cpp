// The file installation through a real installing page: a dialog from the resources with
// controls 400 to 405 and a repainted percent bar, run by the scripted user on the
// virtual clock. Each test prepares a scratch machine, runs the page program and reads
// the machine and what the page showed.
#include <gtest/gtest.h>

#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

#include "file_stamps.h"
#include "page_payloads.h"
#include "scratch_machine.h"
#include "test_payloads.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const char kWindowsDir[] = "C:\\WINDOWS";
const char kDeepProgramDir[] = "C:\\Orvane Tinkerware\\Deep\\Er\\Sweeplux";

// Script of a run that ends on its own: the user watches the page for a second.
const char kWatchScript[] = "wait \"Installing\"\nsleep 1000\n";
// Script of a run that stops at the error box: the user closes it.
const char kErrorBoxScript[] = "wait \"Installing\"\nwait \"Tarrowin\"\nclick \"OK\"\n";

std::string Contents(int payload) {
    auto bytes = MakeFileContents(kPagePayloads[payload].size, kPagePayloads[payload].seed);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<int> Numbers(const std::string& text) {
    std::vector<int> numbers;
    std::istringstream in(text);
    for (int n; in >> n;) numbers.push_back(n);
    return numbers;
}

class InstallPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }

    void make_machine(const std::string& ini = {}) {
        machine = std::make_unique<ScratchMachine>(ini);
        write_host_file(machine->host(std::string(kWindowsDir) + "\\Swxextra.ini"), "present");
    }
    fs::path host(const std::string& windows_path) const { return machine->host(windows_path); }
    std::string in_program(const char* name) const { return program_dir + "\\" + name; }
    std::string in_windows(const char* name) const { return std::string(kWindowsDir) + "\\" + name; }
    std::string read(const std::string& windows_path) const { return read_host_file(host(windows_path)); }

    // Runs the page program; answers its exit status, fills `shown`.
    int run(const char* script) {
        fs::path script_file = machine->root() / "run.script";
        fs::path result_file = machine->root() / "result.txt";
        write_host_file(script_file, script);
        setenv("WINSIM_SCRIPT", script_file.c_str(), 1);
        setenv("WINSIM_DISPLAY", "headless", 1);
        setenv("CORE_PAGE_RESULT", result_file.c_str(), 1);
        setenv("CORE_PAGE_PROGRAM_DIR", program_dir.c_str(), 1);
        setenv("CORE_PAGE_WINDOWS_DIR", kWindowsDir, 1);
        std::vector<char*> argv = {const_cast<char*>(CORE_INSTALL_PAGE_HOST), nullptr};
        pid_t child;
        int status = -1;
        if (posix_spawn(&child, CORE_INSTALL_PAGE_HOST, nullptr, nullptr, argv.data(), environ) == 0)
            waitpid(child, &status, 0);
        unsetenv("WINSIM_SCRIPT");
        std::istringstream lines(read_host_file(result_file));
        for (std::string line; std::getline(lines, line);) {
            auto equals = line.find('=');
            if (equals != std::string::npos) shown[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void expect_percent_rose_to_200() {
        EXPECT_EQ(shown["half"], "200");
        EXPECT_EQ(shown["done"], shown["total"]);
        std::vector<int> painted = Numbers(shown["paints"]);
        ASSERT_FALSE(painted.empty());
        int last = 0;
        for (int value : painted) {
            if (value == last && value == 0) continue;  // the page's first paint
            EXPECT_GT(value, last) << shown["paints"];
            last = value;
        }
        EXPECT_EQ(last, 200);
    }

    std::unique_ptr<ScratchMachine> machine;
    std::string program_dir = kDeepProgramDir;
    std::map<std::string, std::string> shown;
};

TEST_F(InstallPageTest, FreshDeepFolderIsCreatedAndFilled) {
    make_machine();
    ASSERT_EQ(run(kWatchScript), 0);
    EXPECT_EQ(shown["result"], "1");
    EXPECT_EQ(shown["dialog"], "1");

    // Times first: reading a file moves its last-access time.
    for (const char* name : {"Swxupdt.exe", "Sweeplux.exe", "Swxplugs.dat", "Serial.key"})
        ExpectStamped(in_program(name), ExpectedManifestStamp());
    ExpectStamped(in_windows("Swxremov.exe"), ExpectedManifestStamp());

    EXPECT_TRUE(read(in_windows("Swxremov.exe")) == Contents(0));
    EXPECT_TRUE(read(in_program("Swxupdt.exe")) == Contents(1));
    EXPECT_TRUE(read(in_program("Sweeplux.exe")) == Contents(2));
    EXPECT_TRUE(read(in_program("Swxplugs.dat")) == Contents(3));
    EXPECT_TRUE(read(in_program("Settings.dat")) == Contents(4));
    EXPECT_TRUE(read(in_program("Serial.key")) == Contents(5));
    EXPECT_EQ(read(in_windows("Swxextra.ini")), "present") << "readable: skipped";
    expect_percent_rose_to_200();
    EXPECT_EQ(shown["text401"], "303,277");
    EXPECT_EQ(shown["text402"], "303,277");
    EXPECT_EQ(shown["text403"], "7");
    EXPECT_EQ(shown["text404"], "7");
    EXPECT_EQ(shown["text400"], "C:\\WINDOWS\\Swxextra.ini");
}

TEST_F(InstallPageTest, ExistingFolderIsEmptiedExceptKeptFilesDotFoldersAndLinks) {
    make_machine();
    for (const char* name : {"Sweeplux.exe", "old.log", "LICENSE.Key", "older.CPI", "Swxplugs.dat",
                             "Settings.dat", "Serial.key", "ro.txt", "hidden.txt", "system.txt",
                             "Sub\\a.txt", "Sub\\b.cia", ".config\\c.txt"})
        write_host_file(host(in_program(name)), "earlier");
    write_host_file(host("C:\\Shared\\data.txt"), "outside");
    fs::create_directory_symlink(host("C:\\Shared"), host(in_program("Shared")));
    fs::permissions(host(in_program("ro.txt")), fs::perms::all, fs::perm_options::remove);
    fs::permissions(host(in_program("ro.txt")), fs::perms::owner_read, fs::perm_options::add);
    fs::permissions(host(in_program("Serial.key")), fs::perms::owner_write, fs::perm_options::replace);
    ASSERT_TRUE(SetFileAttributesA(in_program("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA(in_program("system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM));
    auto settings_time = fs::last_write_time(host(in_program("Settings.dat")));

    ASSERT_EQ(run(kWatchScript), 0);
    EXPECT_EQ(shown["result"], "1");
    for (const char* gone : {"old.log", "ro.txt", "hidden.txt", "system.txt", "Sub\\a.txt"})
        EXPECT_FALSE(fs::exists(host(in_program(gone)))) << gone;
    for (const char* kept : {"LICENSE.Key", "older.CPI", "Sub\\b.cia", ".config\\c.txt"})
        EXPECT_EQ(read(in_program(kept)), "earlier") << kept;
    EXPECT_TRUE(fs::is_directory(host(in_program("Sub"))));
    EXPECT_EQ(read("C:\\Shared\\data.txt"), "outside") << "the link is neither entered nor followed";
    EXPECT_TRUE(read(in_program("Swxplugs.dat")) == Contents(3)) << "kept, then rewritten";
    EXPECT_EQ(read(in_program("Settings.dat")), "earlier") << "readable: skipped";
    EXPECT_EQ(fs::last_write_time(host(in_program("Settings.dat"))), settings_time);
    fs::permissions(host(in_program("Serial.key")), fs::perms::owner_read, fs::perm_options::add);
    EXPECT_TRUE(read(in_program("Serial.key")) == Contents(5)) << "unreadable: written";
    expect_percent_rose_to_200();
}

TEST_F(InstallPageTest, DestinationThatCannotBeCreatedStopsTheRunAndKeepsEarlierFiles) {
    make_machine();
    write_host_file(host(in_program("Swxplugs.DAT")), "read-only and kept");
    fs::permissions(host(in_program("Swxplugs.DAT")), fs::perms::owner_read | fs::perms::group_read,
                    fs::perm_options::replace);

    ASSERT_EQ(run(kErrorBoxScript), 0) << "the error box appeared and was closed";
    EXPECT_EQ(shown["result"], "-1");
    EXPECT_EQ(shown["dialog"], "2");
    ExpectStamped(in_program("Sweeplux.exe"), ExpectedManifestStamp());
    EXPECT_TRUE(read(in_windows("Swxremov.exe")) == Contents(0));
    EXPECT_TRUE(read(in_program("Sweeplux.exe")) == Contents(2));
    EXPECT_EQ(read(in_program("Swxplugs.DAT")), "read-only and kept");
    EXPECT_FALSE(fs::exists(host(in_program("Settings.dat")))) << "later entries are not handled";
    EXPECT_EQ(shown["text400"], program_dir + "\\Swxplugs.dat");
}

TEST_F(InstallPageTest, FullDiskIsAFailureAndLeavesNoPartFile) {
    make_machine("[drives]\nC = fixed\nD = fixed, 100K\n");
    program_dir = "D:\\Sweeplux";
    ASSERT_EQ(run(kErrorBoxScript), 0) << "the error box appeared and was closed";
    EXPECT_EQ(shown["result"], "-1");
    EXPECT_TRUE(read(in_program("Swxupdt.exe")) == Contents(1));
    EXPECT_FALSE(fs::exists(host(in_program("Sweeplux.exe"))));
    EXPECT_FALSE(fs::exists(host(in_program("Swxplugs.dat"))));
}

TEST_F(InstallPageTest, MissingPayloadIsAFailureAndNothingIsCreated) {
    make_machine();
    fs::remove(host(in_windows("Swxextra.ini")));
    ASSERT_EQ(run(kErrorBoxScript), 0) << "the error box appeared and was closed";
    EXPECT_EQ(shown["result"], "-1");
    EXPECT_FALSE(fs::exists(host(in_windows("Swxextra.ini"))));
    EXPECT_TRUE(read(in_program("Serial.key")) == Contents(5)) << "the entries before stay";
}

TEST_F(InstallPageTest, DestinationThatWouldNotFitIsRefusedNotShortened) {
    make_machine();
    program_dir = "C:\\" + std::string(120, 'a') + "\\" + std::string(120, 'b') + "\\Sweeplux";
    ASSERT_EQ(program_dir.size(), 253u);
    ASSERT_EQ(run(kErrorBoxScript), 0) << "the error box appeared and was closed";
    EXPECT_EQ(shown["result"], "-1");
    EXPECT_TRUE(read(in_windows("Swxremov.exe")) == Contents(0));
    EXPECT_TRUE(fs::is_directory(host(program_dir)));
    EXPECT_TRUE(fs::is_empty(host(program_dir)));
}

}  // namespace
