#include <gtest/gtest.h>
#include <sys/stat.h>

#include <windows.h>

#include "scratch_machine.h"

namespace fs = std::filesystem;

TEST(FileAttributes, AreInvalidExactlyWhenNothingIsThere) {
    ScratchMachine machine;
    write_host_file(machine.drive('c') / "WINDOWS" / "win.ini", "x");
    fs::create_symlink("nowhere", machine.drive('c') / "dangling");
    struct Case { const char* path; DWORD attributes; DWORD error; };
    const Case cases[] = {
        {"C:\\", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"c:\\windows", FILE_ATTRIBUTE_DIRECTORY, 0},
        {"C:\\WINDOWS\\WIN.INI", FILE_ATTRIBUTE_ARCHIVE, 0},
        {"C:\\dangling", FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE, 0},   // a link, even unresolved
        {"C:\\WINDOWS\\missing.ini", INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND},
        {"C:\\Missing\\missing.ini", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
        {"Q:\\", INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND},
    };
    for (const Case& k : cases) {
        SetLastError(0);
        EXPECT_EQ(GetFileAttributesA(k.path), k.attributes) << k.path;
        if (k.error) {
            EXPECT_EQ(GetLastError(), k.error) << k.path;
        }
    }
}

TEST(FileAttributes, ReadOnlyIsTheMissingWriteBitAndTheRestAreKeptBesideIt) {
    ScratchMachine machine;
    const fs::path file = machine.drive('c') / "flags.dat";
    write_host_file(file, "x");
    const DWORD all = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesA("C:\\FLAGS.DAT", all));
    EXPECT_EQ(GetFileAttributesA("C:\\flags.dat"), all);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none);

    ASSERT_TRUE(SetFileAttributesA("C:\\flags.dat", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("C:\\flags.dat"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(fs::status(file).permissions() & fs::perms::owner_write, fs::perms::none);

    ASSERT_TRUE(SetFileAttributesA("C:\\flags.dat", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA("C:\\flags.dat"), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(SetFileAttributesA("C:\\none.dat", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(DeleteFile, RefusesAReadOnlyFileUntilItsAttributesAreCleared) {
    ScratchMachine machine;
    const fs::path file = machine.drive('c') / "keep.txt";
    write_host_file(file, "x");
    ASSERT_TRUE(SetFileAttributesA("C:\\keep.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_FALSE(DeleteFileA("C:\\keep.txt"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(fs::exists(file));

    ASSERT_TRUE(SetFileAttributesA("C:\\KEEP.TXT", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileA("C:\\KEEP.TXT"));
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(GetFileAttributesA("C:\\keep.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST(DeleteFile, FailsForFoldersMissingFilesAndFilesInUse) {
    ScratchMachine machine;
    write_host_file(machine.drive('c') / "open.txt", "x");
    fs::create_directories(machine.drive('c') / "target");
    fs::create_symlink(machine.drive('c') / "open.txt", machine.drive('c') / "link.txt");
    HANDLE open = CreateFileA("C:\\open.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    struct Case { const char* path; DWORD error; };
    const Case cases[] = {{"C:\\open.txt", ERROR_SHARING_VIOLATION}, {"C:\\WINDOWS", ERROR_ACCESS_DENIED},
                          {"C:\\gone.txt", ERROR_FILE_NOT_FOUND}, {"C:\\gone\\gone.txt", ERROR_PATH_NOT_FOUND}};
    for (const Case& k : cases) {
        EXPECT_FALSE(DeleteFileA(k.path)) << k.path;
        EXPECT_EQ(GetLastError(), k.error) << k.path;
    }
    CloseHandle(open);
    // A link goes by itself; what it leads to stays.
    EXPECT_TRUE(DeleteFileA("C:\\link.txt"));
    EXPECT_TRUE(fs::exists(machine.drive('c') / "open.txt"));
    EXPECT_TRUE(DeleteFileA("C:\\open.txt"));
}

TEST(CreateDirectory, MakesOneLevelSpelledAsGiven) {
    ScratchMachine machine;
    EXPECT_TRUE(CreateDirectoryA("c:\\program files\\Orvane Tinkerware", nullptr));
    EXPECT_TRUE(fs::is_directory(machine.drive('c') / "Program Files" / "Orvane Tinkerware"));
    struct Case { const char* path; DWORD error; };
    const Case cases[] = {{"C:\\PROGRAM FILES\\orvane tinkerware", ERROR_ALREADY_EXISTS},
                          {"C:\\", ERROR_ALREADY_EXISTS},
                          {"C:\\A\\B", ERROR_PATH_NOT_FOUND},
                          {"C:\\x?y", ERROR_INVALID_NAME}};
    for (const Case& k : cases) {
        EXPECT_FALSE(CreateDirectoryA(k.path, nullptr)) << k.path;
        EXPECT_EQ(GetLastError(), k.error) << k.path;
    }
    write_host_file(machine.drive('c') / "plain", "x");
    EXPECT_FALSE(CreateDirectoryA("C:\\Plain", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
}
