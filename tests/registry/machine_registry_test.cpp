// The registry of the simulated machine that WINSIM_PREFIX names.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "scratch_machine.h"

namespace {

TEST(MachineRegistry, UnreadableFileStopsTheProgramNamingItsLine) {
    ScratchMachine machine;
    const std::string broken = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n\"v\"=dword:1\r\n";
    write_host_file(machine.root() / "system.reg", broken);
    StartNextRun();
    EXPECT_EXIT(
        {
            HKEY key;
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key);
        },
        ::testing::ExitedWithCode(78), "system.reg, line 4: a dword without eight hex digits");
    EXPECT_EQ(read_host_file(machine.root() / "system.reg"), broken);
}

TEST(MachineRegistry, EachPrefixHasItsOwnRegistry) {
    ScratchMachine first;
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Mine", 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);

    ScratchMachine second;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Mine", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_NE(read_host_file(second.root() / "user.reg")
                  .find("[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]"),
              std::string::npos);
    EXPECT_NE(read_host_file(first.root() / "user.reg").find("[HKEY_CURRENT_USER\\Software\\Mine]"),
              std::string::npos);
}

}  // namespace
