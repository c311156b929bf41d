// The installation of a manifest's files on a scratch machine: written, skipped and kept
// files, their bytes and times, and the counters the page shows.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "core/file_install.h"
#include "core/install_state.h"
#include "file_stamps.h"
#include "scratch_machine.h"
#include "test_page.h"
#include "test_payloads.h"

namespace {

InstallManifest MakeManifest() {
    InstallManifest manifest = {};
    std::strcpy(manifest.ProductName, "Sweeplux");
    std::strcpy(manifest.ProductVersion, "3.06");
    std::strcpy(manifest.PublisherName, "Orvane Tinkerware");
    manifest.FileTimestamp = {2005, 11, 1, 28, 3, 6, 0, 0};
    manifest.Entries[0] = TestEntry("Swxremov.exe", 0x12, AddTestPayload("UINSTALL", 20000, 1));
    manifest.Entries[1] = TestEntry("Sweeplux.exe", 0x11, AddTestPayload("PROGRAM", 150000, 2));
    manifest.Entries[2] = TestEntry("Swxplugs.dat", 0x11, AddTestPayload("PLUGINS", 3000, 3));
    manifest.Entries[3] = TestEntry("Settings.dat", 0x01, AddTestPayload("SETTINGS", 2000, 4));
    manifest.Entries[4] = TestEntry("Serial.key", 0x01, AddTestPayload("SERIAL", 1500, 5));
    manifest.Entries[5] = TestEntry("Swxhelp.txt", 0x02, AddTestPayload("HELPTEXT", 999, 6));
    manifest.FileCount = 6;
    manifest.ShortcutCount = 0;
    return manifest;
}

}  // namespace

const InstallManifest Manifest = MakeManifest();

namespace {

namespace fs = std::filesystem;

const char kProgramDir[] = "C:\\Orvane Tinkerware\\Deep\\Er\\Sweeplux";
const char kWindowsDir[] = "C:\\Windows";

std::string Contents(int entry) {
    std::uint32_t seeds[] = {1, 2, 3, 4, 5, 6};
    auto bytes = MakeFileContents(Manifest.Entries[entry].UncompressedSize, seeds[entry]);
    return std::string(bytes.begin(), bytes.end());
}

class InstallFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
        RegisterTestPayloads();
        std::strcpy(InstallState.ProgramDir, kProgramDir);
        std::strcpy(InstallState.WindowsDir, kWindowsDir);
        InstallState.TotalBytes = 0;
        InstallState.DoneBytes = 0;
        InstallState.HalfPercent = 0;
    }

    std::string program_file(const char* name) const {
        return std::string(kProgramDir) + "\\" + name;
    }
    std::string windows_file(const char* name) const {
        return std::string(kWindowsDir) + "\\" + name;
    }
    std::string read(const std::string& windows_path) const {
        return read_host_file(machine.host(windows_path));
    }
    void expect_progress_complete() const {
        DWORD total = 0;
        for (int i = 0; i < Manifest.FileCount; ++i) total += Manifest.Entries[i].UncompressedSize;
        EXPECT_EQ(InstallState.TotalBytes, total);
        EXPECT_EQ(InstallState.DoneBytes, total);
        EXPECT_EQ(InstallState.HalfPercent, 200);
        const auto& painted = PaintedHalfPercents();
        ASSERT_FALSE(painted.empty());
        for (std::size_t i = 1; i < painted.size(); ++i)
            EXPECT_LT(painted[i - 1], painted[i]) << "repainted only when it rises, at " << i;
        EXPECT_EQ(painted.back(), 200);
    }

    ScratchMachine machine;
};

TEST_F(InstallFilesTest, FreshDeepFolderReceivesEveryFileStampedWithTheManifestTime) {
    TestPage page;
    ASSERT_EQ(InstallFiles(page.window), 1);

    // Times first: reading a file moves its last-access time.
    ULONGLONG stamp = ExpectedManifestStamp();
    ExpectStamped(windows_file("Swxremov.exe"), stamp);
    ExpectStamped(program_file("Sweeplux.exe"), stamp);
    ExpectStamped(program_file("Serial.key"), stamp);
    EXPECT_TRUE(fs::is_directory(machine.host(kProgramDir)));
    EXPECT_TRUE(read(windows_file("Swxremov.exe")) == Contents(0));
    EXPECT_TRUE(read(program_file("Sweeplux.exe")) == Contents(1));
    EXPECT_TRUE(read(program_file("Swxplugs.dat")) == Contents(2));
    EXPECT_TRUE(read(program_file("Settings.dat")) == Contents(3));
    EXPECT_TRUE(read(program_file("Serial.key")) == Contents(4));
    EXPECT_TRUE(read(windows_file("Swxhelp.txt")) == Contents(5));
    EXPECT_FALSE(fs::exists(machine.host(program_file("Swxremov.exe"))));

    expect_progress_complete();

    EXPECT_EQ(page.text(IDC_TOTAL_SIZE), "177,499");
    EXPECT_EQ(page.text(IDC_CURRENT_SIZE), "177,499");
    EXPECT_EQ(page.text(IDC_TOTAL_FILES), "6");
    EXPECT_EQ(page.text(IDC_CURRENT_FILE), "6");
    EXPECT_EQ(page.text(IDC_DESTINATION), "C:\\Windows\\Swxhelp.txt");
}

TEST_F(InstallFilesTest, ReinstallSkipsReadableFilesAndRewritesUnreadableOnes) {
    const std::string old_text = "from the earlier installation";
    write_host_file(machine.host(program_file("Sweeplux.exe")), old_text);
    write_host_file(machine.host(program_file("Swxplugs.dat")), old_text);
    write_host_file(machine.host(program_file("Settings.dat")), old_text);
    write_host_file(machine.host(program_file("Serial.key")), old_text);
    write_host_file(machine.host(program_file("notes.txt")), old_text);
    write_host_file(machine.host(program_file("Sub\\x.txt")), old_text);
    write_host_file(machine.host(windows_file("Swxhelp.txt")), old_text);
    fs::permissions(machine.host(program_file("Serial.key")),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::remove);
    ASSERT_EQ(CreateFileA(program_file("Serial.key").c_str(), GENERIC_READ, FILE_SHARE_READ,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE)
        << "the fixture's key file cannot be read";
    auto settings_time = fs::last_write_time(machine.host(program_file("Settings.dat")));

    TestPage page;
    ASSERT_EQ(InstallFiles(page.window), 1);

    EXPECT_TRUE(read(program_file("Sweeplux.exe")) == Contents(1));
    EXPECT_TRUE(read(program_file("Swxplugs.dat")) == Contents(2)) << "kept, then rewritten";
    EXPECT_EQ(read(program_file("Settings.dat")), old_text) << "readable: skipped";
    EXPECT_EQ(fs::last_write_time(machine.host(program_file("Settings.dat"))), settings_time);
    EXPECT_EQ(read(windows_file("Swxhelp.txt")), old_text) << "readable: skipped";
    fs::permissions(machine.host(program_file("Serial.key")), fs::perms::owner_read,
                    fs::perm_options::add);
    EXPECT_TRUE(read(program_file("Serial.key")) == Contents(4)) << "unreadable: written";
    EXPECT_FALSE(fs::exists(machine.host(program_file("notes.txt"))));
    EXPECT_FALSE(fs::exists(machine.host(program_file("Sub\\x.txt"))));
    EXPECT_TRUE(fs::is_directory(machine.host(program_file("Sub"))));
    expect_progress_complete();
}

TEST(ShouldWriteFile, WritesAlwaysWriteEntriesAndWhatCannotBeRead) {
    ScratchMachine machine;
    write_host_file(machine.host("C:\\Present.dat"), "x");
    EXPECT_TRUE(ShouldWriteFile("C:\\Present.dat", 2)) << "always-write";
    EXPECT_FALSE(ShouldWriteFile("C:\\Present.dat", 3));
    EXPECT_TRUE(ShouldWriteFile("C:\\Absent.dat", 3));
    fs::create_directory(machine.host("C:\\Folder.dat"));
    EXPECT_TRUE(ShouldWriteFile("C:\\Folder.dat", 3)) << "a folder cannot be opened as a file";
}

class AdvanceProgressTest : public ::testing::Test {
protected:
    void start(DWORD total, DWORD done = 0) {
        InstallState.TotalBytes = total;
        InstallState.DoneBytes = done;
        InstallState.HalfPercent = 0;
        PaintedHalfPercents().clear();
    }
    ScratchMachine machine;
    TestPage page;
};

TEST_F(AdvanceProgressTest, RepaintsOncePerHalfPercentUpTo200) {
    start(1000);
    for (int i = 0; i < 1000; ++i) AdvanceProgress(page.window, 1);
    std::vector<int> expected;
    for (int h = 1; h <= 200; ++h) expected.push_back(h);
    EXPECT_EQ(PaintedHalfPercents(), expected);
    EXPECT_EQ(page.text(IDC_CURRENT_SIZE), "1,000");
    AdvanceProgress(page.window, 5);
    EXPECT_EQ(InstallState.DoneBytes, 1000u) << "never above the total";
}

TEST_F(AdvanceProgressTest, ComputesWithoutOverflowAtTheLargestSizes) {
    struct Case {
        DWORD total;
        DWORD done;
        DWORD bytes;
        DWORD done_after;
        int half_percent;
    };
    const Case cases[] = {
        {4294967295u, 0, 4294967295u, 4294967295u, 200},
        {4294967295u, 0, 2147483648u, 2147483648u, 100},
        {4294967295u, 4000000000u, 4000000000u, 4294967295u, 200},  // the sum passes 32 bits
        {1000, 900, 4294967295u, 1000, 200},
        {3, 0, 1, 1, 66},
    };
    for (const Case& c : cases) {
        start(c.total, c.done);
        AdvanceProgress(page.window, c.bytes);
        EXPECT_EQ(InstallState.DoneBytes, c.done_after) << c.total << " " << c.bytes;
        EXPECT_EQ(InstallState.HalfPercent, c.half_percent) << c.total << " " << c.bytes;
    }
}

TEST_F(AdvanceProgressTest, ShowsNothingWhileNothingIsDone) {
    start(0);
    SetDlgItemTextA(page.window, IDC_CURRENT_SIZE, "untouched");
    AdvanceProgress(page.window, 500);
    EXPECT_EQ(InstallState.DoneBytes, 0u);
    EXPECT_EQ(page.text(IDC_CURRENT_SIZE), "untouched");
    EXPECT_TRUE(PaintedHalfPercents().empty());
}

}  // namespace
