// The registry of a machine on its own pair of files: keys, values, the plain user's access,
// and files that always read back.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "registry/regedit_format.h"
#include "registry/registry_service.h"

namespace winsim::registry {
namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class RegistryServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::path(::testing::TempDir()) /
                  ("registry_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::unique_ptr<RegistryService> machine(bool admin = true) {
        auto service = std::make_unique<RegistryService>(system_file(), user_file(), admin);
        std::string error;
        EXPECT_TRUE(service->load(error)) << error;
        return service;
    }
    fs::path system_file() const { return folder_ / "system.reg"; }
    fs::path user_file() const { return folder_ / "user.reg"; }

    static LONG set_text(RegistryService& reg, HKEY key, const char* name, const char* text) {
        return reg.set_value(key, name, REG_SZ, reinterpret_cast<const BYTE*>(text),
                             static_cast<DWORD>(std::strlen(text) + 1));
    }

    fs::path folder_;
};

TEST_F(RegistryServiceTest, NewMachineHasTheDefaultKeysInBothFiles) {
    auto reg = machine();
    HKEY key;
    EXPECT_EQ(reg->open_key(HKEY_LOCAL_MACHINE,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(reg->open_key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                            KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(reg->open_key(HKEY_LOCAL_MACHINE,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", KEY_READ,
                            &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg->open_key(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                            KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_NE(read_file(system_file()).find(
                  "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall]"),
              std::string::npos);
    EXPECT_NE(read_file(user_file()).find(
                  "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]"),
              std::string::npos);
}

TEST_F(RegistryServiceTest, CreatesMissingLevelsAndMatchesNamesWithoutCase) {
    auto reg = machine();
    HKEY key;
    DWORD disposition = 0;
    ASSERT_EQ(reg->create_key(HKEY_LOCAL_MACHINE, "Software\\Orvane Tinkerware\\Programs\\Sweeplux",
                              KEY_ALL_ACCESS, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_EQ(reg->close_key(key), ERROR_SUCCESS);
    EXPECT_EQ(reg->close_key(key), ERROR_INVALID_HANDLE);

    ASSERT_EQ(reg->create_key(HKEY_LOCAL_MACHINE, "SOFTWARE\\orvane tinkerware", KEY_ALL_ACCESS,
                              &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    EXPECT_EQ(set_text(*reg, key, "Sweeplux", "C:\\A"), ERROR_SUCCESS);
    EXPECT_EQ(set_text(*reg, key, "SWEEPLUX", "C:\\B"), ERROR_SUCCESS);
    reg->close_key(key);

    std::string text = read_file(system_file());
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Orvane Tinkerware]\r\n"
                        "\"Sweeplux\"=\"C:\\\\B\"\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Orvane Tinkerware\\Programs\\Sweeplux]"),
              std::string::npos);
}

TEST_F(RegistryServiceTest, QueriesReportStoredLengthAndShortBuffers) {
    auto reg = machine();
    HKEY key;
    ASSERT_EQ(reg->create_key(HKEY_CURRENT_USER, "Software\\Test", KEY_ALL_ACCESS, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(set_text(*reg, key, "Path", "C:\\Dir"), ERROR_SUCCESS);

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(reg->query_value(key, "path", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 7u) << "the terminator is stored";

    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    size = 6;
    EXPECT_EQ(reg->query_value(key, "Path", nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 7u);
    size = sizeof buffer;
    EXPECT_EQ(reg->query_value(key, "Path", nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 7u);
    EXPECT_STREQ(buffer, "C:\\Dir");

    EXPECT_EQ(reg->query_value(key, "Other", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg->delete_value(key, "Other"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg->delete_value(key, "PATH"), ERROR_SUCCESS);
    EXPECT_EQ(reg->query_value(key, "Path", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(read_file(user_file()).find("\"Path\""), std::string::npos);
}

TEST_F(RegistryServiceTest, PlainUserCannotWriteTheMachineHive) {
    {
        auto admin = machine(true);
        HKEY key;
        ASSERT_EQ(admin->create_key(HKEY_LOCAL_MACHINE, "Software\\Existing", KEY_ALL_ACCESS, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        set_text(*admin, key, "v", "kept");
    }
    std::string before = read_file(system_file());
    auto reg = machine(false);
    HKEY key = nullptr;
    struct Case {
        const char* path;
        REGSAM access;
    };
    for (const Case& c : {Case{"Software\\Existing", KEY_ALL_ACCESS},
                          Case{"Software\\Existing", KEY_WRITE}, Case{"Software\\Existing", KEY_SET_VALUE},
                          Case{"Software\\New", KEY_ALL_ACCESS}}) {
        EXPECT_EQ(reg->create_key(HKEY_LOCAL_MACHINE, c.path, c.access, &key, nullptr),
                  ERROR_ACCESS_DENIED)
            << c.path << " " << c.access;
    }
    EXPECT_EQ(reg->open_key(HKEY_LOCAL_MACHINE, "Software\\Existing", KEY_ALL_ACCESS, &key),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->create_key(HKEY_LOCAL_MACHINE, "Software\\New", KEY_READ, &key, nullptr),
              ERROR_ACCESS_DENIED)
        << "a new key needs the right to create subkeys";
    EXPECT_EQ(set_text(*reg, HKEY_LOCAL_MACHINE, "v", "x"), ERROR_ACCESS_DENIED);

    ASSERT_EQ(reg->open_key(HKEY_LOCAL_MACHINE, "Software\\Existing", KEY_READ, &key), ERROR_SUCCESS);
    char buffer[8];
    DWORD size = sizeof buffer;
    EXPECT_EQ(reg->query_value(key, "v", nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(set_text(*reg, key, "v", "changed"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(reg->delete_value(key, "v"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(read_file(system_file()), before);

    ASSERT_EQ(reg->create_key(HKEY_CURRENT_USER, "Software\\Mine", KEY_ALL_ACCESS, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(set_text(*reg, key, "v", "ok"), ERROR_SUCCESS);
}

TEST_F(RegistryServiceTest, RefusesMalformedPathsAndHandles) {
    auto reg = machine();
    HKEY key;
    struct Case {
        const char* path;
        LONG status;
    };
    const Case cases[] = {
        {"\\Software", ERROR_BAD_PATHNAME},
        {"Software\\\\Twice", ERROR_BAD_PATHNAME},
        {"Line\nbreak", ERROR_INVALID_PARAMETER},
        {nullptr, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases)
        EXPECT_EQ(reg->create_key(HKEY_CURRENT_USER, c.path, KEY_ALL_ACCESS, &key, nullptr), c.status)
            << (c.path ? c.path : "(null)");
    EXPECT_EQ(reg->create_key(HKEY_CURRENT_USER, std::string(256, 'k').c_str(), KEY_ALL_ACCESS, &key,
                              nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(reg->create_key(HKEY_CURRENT_USER, "Trailing\\", KEY_ALL_ACCESS, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(reg->open_key(HKEY_CURRENT_USER, "Missing\\Key", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    HKEY bogus = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7777));
    EXPECT_EQ(reg->open_key(bogus, "x", KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(set_text(*reg, bogus, "v", "x"), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryServiceTest, ChangesReadBackInTheNextProcess) {
    {
        auto reg = machine();
        HKEY key;
        ASSERT_EQ(reg->create_key(HKEY_LOCAL_MACHINE, "Software\\Orvane Tinkerware", KEY_ALL_ACCESS,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        set_text(*reg, key, "Sweeplux", "D:\\Apps\\Sweeplux");
        reg->set_value(key, "Raw", REG_BINARY, reinterpret_cast<const BYTE*>("\x00\xff"), 2);
    }
    auto reg = machine();
    HKEY key;
    ASSERT_EQ(reg->open_key(HKEY_LOCAL_MACHINE, "software\\orvane tinkerware", KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    char buffer[64];
    DWORD size = sizeof buffer;
    ASSERT_EQ(reg->query_value(key, "Sweeplux", nullptr, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "D:\\Apps\\Sweeplux");
    DWORD type = 0;
    size = sizeof buffer;
    ASSERT_EQ(reg->query_value(key, "Raw", &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(std::string(buffer, size), std::string("\x00\xff", 2));
}

TEST_F(RegistryServiceTest, UnreadableFileIsReportedWithItsLineAndLeftAlone) {
    const std::string broken = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\"v\"=dword:1\r\n";
    {
        std::ofstream out(system_file(), std::ios::binary);
        out << broken;
    }
    RegistryService reg(system_file(), user_file(), true);
    std::string error;
    EXPECT_FALSE(reg.load(error));
    EXPECT_NE(error.find("system.reg, line 4"), std::string::npos) << error;
    EXPECT_EQ(read_file(system_file()), broken);
}

// A process killed at any moment of its writing leaves a file that reads back whole. The
// writer reports its first complete save through a pipe before it is killed, so every round
// kills it in the middle of rewriting a file that already holds its key.
TEST_F(RegistryServiceTest, FilesSurviveAProcessKilledWhileWriting) {
    machine();  // the files exist, whole, before the first writer starts
    for (int round = 0; round < 12; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            RegistryService reg(system_file(), user_file(), true);
            std::string error;
            if (!reg.load(error)) ::_exit(3);
            HKEY key;
            if (reg.create_key(HKEY_LOCAL_MACHINE, "Software\\Churn", KEY_ALL_ACCESS, &key,
                               nullptr) != ERROR_SUCCESS)
                ::_exit(4);
            std::string filler(4000, 'f');
            for (unsigned i = 0;; ++i) {
                std::string name = "value " + std::to_string(i % 50);
                if (reg.set_value(key, name.c_str(), REG_SZ,
                                  reinterpret_cast<const BYTE*>(filler.c_str()),
                                  static_cast<DWORD>(filler.size() + 1)) != ERROR_SUCCESS)
                    ::_exit(5);
                if (i == 0) {
                    char saved = 1;
                    if (::write(ready[1], &saved, 1) != 1) ::_exit(6);
                    ::close(ready[1]);
                }
            }
        }
        ::close(ready[1]);
        char saved = 0;
        ssize_t got = ::read(ready[0], &saved, 1);
        ::close(ready[0]);
        if (got != 1) {
            int status = 0;
            ::waitpid(child, &status, 0);
            FAIL() << "round " << round << ": the writer ended before its first save with "
                   << status;
        }
        // Staggered delays land the kill at different points of the rewrite.
        std::this_thread::sleep_for(std::chrono::microseconds(300 + round * 1700));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended early with " << status;

        ASSERT_TRUE(fs::exists(system_file())) << "round " << round;
        RegeditParse parse = parse_regedit(read_file(system_file()), "HKEY_LOCAL_MACHINE");
        ASSERT_TRUE(parse.root) << "round " << round << ", line " << parse.error_line << ": "
                                << parse.error;
        const RegistryKey* software = parse.root->find_child("Software");
        ASSERT_NE(software, nullptr) << "round " << round;
        const RegistryKey* churn = software->find_child("Churn");
        ASSERT_NE(churn, nullptr) << "round " << round << ": the saved key was lost";
        EXPECT_NE(churn->find_value("value 0"), nullptr) << "round " << round;
    }
}

}  // namespace
}  // namespace winsim::registry
