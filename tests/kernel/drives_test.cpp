#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "scratch_machine.h"

TEST(Drives, ListsEveryDriveOfTheMachineWithItsType) {
    ScratchMachine machine("[machine]\nwindows = D:\\WinNT\\\n[drives]\nC = fixed\nD = fixed, 1M\n"
                           "E = cdrom\nF = removable\nG = remote\nH = ramdisk\n");
    char buffer[128];
    DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    const std::string expected("C:\\\0D:\\\0E:\\\0F:\\\0G:\\\0H:\\\0", 24);
    ASSERT_EQ(length, expected.size());
    EXPECT_EQ(std::string(buffer, length + 1), expected + '\0');
    EXPECT_EQ(GetLogicalDriveStringsA(24, buffer), 25u);   // too small: the size it needs

    struct Case { const char* root; UINT type; };
    const Case cases[] = {{"C:\\", DRIVE_FIXED},       {"d:\\", DRIVE_FIXED},     {"E:\\", DRIVE_CDROM},
                          {"F:\\", DRIVE_REMOVABLE},   {"G:\\", DRIVE_REMOTE},    {"H:\\", DRIVE_RAMDISK},
                          {"Z:\\", DRIVE_NO_ROOT_DIR}, {"C:\\WINDOWS\\", DRIVE_NO_ROOT_DIR}};
    for (const Case& k : cases) EXPECT_EQ(GetDriveTypeA(k.root), k.type) << k.root;

    char folder[MAX_PATH];
    EXPECT_EQ(GetWindowsDirectoryA(folder, sizeof folder), 8u);
    EXPECT_STREQ(folder, "D:\\WinNT");
    EXPECT_EQ(GetWindowsDirectoryA(folder, 8), 9u);
}

TEST(Drives, AnEmptyRemovableDriveIsNotReady) {
    ScratchMachine machine("[drives]\nC = fixed\nA = removable\n");
    EXPECT_EQ(GetDriveTypeA("A:\\"), UINT(DRIVE_REMOVABLE));
    EXPECT_EQ(GetFileAttributesA("A:\\x.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_NOT_READY);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    EXPECT_STREQ(windows, "C:\\WINDOWS");
}

TEST(Drives, ACdromRefusesWrites) {
    ScratchMachine machine("[drives]\nC = fixed\nE = cdrom\n");
    write_host_file(machine.drive('e') / "setup.txt", "x");
    EXPECT_EQ(CreateFileA("E:\\new.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteFileA("E:\\setup.txt"));
    HANDLE reader = CreateFileA("E:\\SETUP.TXT", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
}
