// What the installation records in the registry, and what the next run reads back.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "core/install_state.h"
#include "core/manifest.h"
#include "registration/registry_entries.h"
#include "registry/regedit_format.h"
#include "host/prefix.h"
#include "scratch_machine.h"

const InstallManifest Manifest = {
    "Sweeplux",
    "3.06",
    "Keep Your Drives Tidy!",
    "Orvane Tinkerware",
    "http://www.orvane.example/sweeplux",
    {2005, 11, 1, 28, 3, 6, 0, 0},
    {
        {"Swxremov.exe", 0x12, "UINSTALL", "Uninstall", 49152, 16237},
        {"Swxupdt.exe", 0x11, "UPDATER", "Update", 57344, 29167},
    },
    2,
    2,
};

namespace {

const char PRODUCT_KEY[] = "Software\\Orvane Tinkerware";
const char UNINSTALL_ENTRY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sweeplux";
const char RUN_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void SetState(const char* programDir, const char* windowsDir, const char* group) {
    std::strcpy(InstallState.ProgramDir, programDir);
    std::strcpy(InstallState.WindowsDir, windowsDir);
    std::strcpy(InstallState.GroupName, group);
}

void SetText(HKEY root, const char* path, const char* name, const std::string& text) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

// The value's data and stored length, or "(none)".
std::string Query(HKEY root, const char* path, const char* name, DWORD* size = nullptr) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
    char data[512];
    DWORD length = sizeof data;
    LONG status = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &length);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "(none)";
    if (size) *size = length;
    return std::string(data, length ? length - 1 : 0);
}

TEST(RegisterProduct, WritesEveryValueInItsOrder) {
    ScratchMachine machine;
    const auto& root = machine.root();
    SetState("D:\\Apps\\Sweeplux", "C:\\Windows", "Sweeplux");
    RegisterProduct();

    DWORD size = 0;
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Sweeplux", &size), "D:\\Apps\\Sweeplux");
    EXPECT_EQ(size, 17u) << "the terminator is stored";
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE,
                    "Software\\Orvane Tinkerware\\Programs\\Sweeplux\\Current Version",
                    "Program Version"),
              "3.06");
    std::string text = read_host_file(root / "system.reg");
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                        "Uninstall\\Sweeplux]\r\n"
                        "\"DisplayName\"=\"Sweeplux\"\r\n"
                        "\"DisplayVersion\"=\"v3.06\"\r\n"
                        "\"UninstallString\"=\"C:\\\\Windows\\\\Swxremov.exe\"\r\n"
                        "\"Program Path\"=\"D:\\\\Apps\\\\Sweeplux\"\r\n"
                        "\"Program Group\"=\"Sweeplux\"\r\n"
                        "\"Publisher\"=\"Orvane Tinkerware\"\r\n"
                        "\"HelpLink\"=\"http://www.orvane.example/sweeplux\"\r\n"),
              std::string::npos)
        << text;
    HKEY key;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", 0,
                            KEY_READ, &key),
              ERROR_FILE_NOT_FOUND)
        << "removing the auto-start value creates no key";
}

TEST(RegisterProduct, ReinstallOverwritesOnlyTheListedValues) {
    ScratchMachine machine;
    SetText(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY, "DisplayVersion", "v2.00");
    SetText(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY, "UninstallString", "E:\\Old\\Swxremov.exe");
    SetText(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY, "InstallDate", "20040101");
    SetText(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Serial", "1234");
    SetState("C:\\Orvane Tinkerware\\Sweeplux", "C:\\WINNT", "Tools");
    RegisterProduct();

    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY, "DisplayVersion"), "v3.06");
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY, "UninstallString"),
              "C:\\WINNT\\Swxremov.exe");
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY, "Program Group"), "Tools");
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY, "InstallDate"), "20040101");
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Serial"), "1234");
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Sweeplux"), "C:\\Orvane Tinkerware\\Sweeplux");
}

TEST(RegisterProduct, RemovesTheAutoStartValueFromBothRunKeysOnly) {
    ScratchMachine machine;
    SetText(HKEY_LOCAL_MACHINE, RUN_KEY, "Sweeplux3", "C:\\x.exe");
    SetText(HKEY_LOCAL_MACHINE, RUN_KEY, "Other", "C:\\y.exe");
    SetText(HKEY_CURRENT_USER, RUN_KEY, "SWEEPLUX3", "C:\\x.exe");
    SetState("C:\\P", "C:\\Windows", "G");
    RegisterProduct();
    RegisterProduct();  // with nothing left to remove

    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, RUN_KEY, "Sweeplux3"), "(none)");
    EXPECT_EQ(Query(HKEY_CURRENT_USER, RUN_KEY, "Sweeplux3"), "(none)");
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE, RUN_KEY, "Other"), "C:\\y.exe");
}

TEST(RegisterProduct, PlainUserOnlyLosesTheOwnAutoStartValue) {
    ScratchMachine machine;
    const auto& root = machine.root();
    SetText(HKEY_LOCAL_MACHINE, RUN_KEY, "Sweeplux3", "C:\\x.exe");
    SetText(HKEY_LOCAL_MACHINE, PRODUCT_KEY, "Sweeplux", "C:\\Earlier");
    SetText(HKEY_CURRENT_USER, RUN_KEY, "Sweeplux3", "C:\\x.exe");
    std::string machineBefore = read_host_file(root / "system.reg");

    machine.rewrite_ini("[machine]\nadmin = no\n");

    SetState("D:\\New", "C:\\Windows", "G");
    RegisterProduct();
    EXPECT_EQ(read_host_file(root / "system.reg"), machineBefore);
    EXPECT_EQ(Query(HKEY_CURRENT_USER, RUN_KEY, "Sweeplux3"), "(none)");
    char folder[PREVIOUS_DIR_SIZE];
    EXPECT_FALSE(LookupPreviousProgramDir(folder)) << "the look-up asks for write access too";
}

TEST(LookupPreviousProgramDir, ReadsTheFolderTheLastRunRecorded) {
    ScratchMachine machine;
    char folder[PREVIOUS_DIR_SIZE];
    EXPECT_FALSE(LookupPreviousProgramDir(folder));
    SetState("D:\\Apps\\Sweeplux", "C:\\Windows", "Sweeplux");
    RegisterProduct();
    StartNextRun();
    ASSERT_TRUE(LookupPreviousProgramDir(folder));
    EXPECT_STREQ(folder, "D:\\Apps\\Sweeplux");
}

TEST(LookupPreviousProgramDir, CountsOnlyDataThatFitsAsAFolder) {
    struct Case {
        const char* what;
        DWORD type;
        std::string data;  // stored as given
        bool found;
        std::string folder;
    };
    const std::string long259(259, 'a');
    const Case cases[] = {
        {"259 characters and the terminator", REG_SZ, long259 + '\0', true, long259},
        {"260 characters and the terminator", REG_SZ, long259 + "a" + '\0', false, ""},
        {"empty string", REG_SZ, std::string(1, '\0'), true, ""},
        {"no data at all", REG_SZ, "", true, ""},
        {"no terminator, room for one", REG_SZ, "C:\\X", true, "C:\\X"},
        {"no terminator, no room", REG_BINARY, std::string(260, 'b'), false, ""},
    };
    for (const Case& c : cases) {
        ScratchMachine machine;
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, PRODUCT_KEY, 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "Sweeplux", 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                       static_cast<DWORD>(c.data.size()));
        RegCloseKey(key);
        char folder[PREVIOUS_DIR_SIZE + 8];
        std::memset(folder, 'z', sizeof folder);
        BOOL found = LookupPreviousProgramDir(folder);
        EXPECT_EQ(found != FALSE, c.found) << c.what;
        if (c.found) {
            EXPECT_STREQ(folder, c.folder.c_str()) << c.what;
        }
        EXPECT_EQ(folder[PREVIOUS_DIR_SIZE], 'z') << c.what << ": nothing beyond the buffer";
    }
}

TEST(RegisterProduct, RegistryFilesSurviveARunKilledWhileRecording) {
    ScratchMachine machine;
    const auto& root = machine.root();
    SetState("C:\\Run start", "C:\\Windows", "Sweeplux");
    RegisterProduct();
    for (int round = 0; round < 8; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            StartNextRun();
            for (unsigned i = 0;; ++i) {
                std::string folder = "C:\\Run " + std::to_string(i);
                SetState(folder.c_str(), "C:\\Windows", "Sweeplux");
                RegisterProduct();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10 + round * 9));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << status;
        for (const char* file : {"system.reg", "user.reg"}) {
            auto parse = winsim::registry::parse_regedit(
                read_host_file(root / file),
                std::strcmp(file, "system.reg") == 0 ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER");
            ASSERT_TRUE(parse.root) << file << " line " << parse.error_line << ": " << parse.error;
        }
        StartNextRun();
        char folder[PREVIOUS_DIR_SIZE];
        ASSERT_TRUE(LookupPreviousProgramDir(folder)) << "round " << round;
        EXPECT_EQ(std::strncmp(folder, "C:\\Run ", 7), 0) << folder;
    }
}

}  // namespace
