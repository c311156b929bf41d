#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "scratch_machine.h"

namespace fs = std::filesystem;

namespace {

// Every entry a search yields, in order, with its attributes.
std::vector<std::pair<std::string, DWORD>> list(const char* pattern) {
    std::vector<std::pair<std::string, DWORD>> entries;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do entries.emplace_back(data.cFileName, data.dwFileAttributes);
    while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(search));
    return entries;
}

}  // namespace

TEST(FindFiles, ListsEveryEntryWithDotsNamesAndAttributes) {
    ScratchMachine machine;
    const fs::path app = machine.drive('c') / "App";
    write_host_file(app / "readme.TXT", "12345");
    write_host_file(app / "Setup.exe", "x");
    write_host_file(app / "noext", "x");
    fs::create_directories(app / "data");
    fs::create_directories(app / ".hidden");
    fs::create_directory_symlink(machine.drive('c') / "WINDOWS", app / "winlink");
    fs::create_symlink(app / "noext", app / "filelink");
    ASSERT_TRUE(SetFileAttributesA("C:\\App\\Setup.exe", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

    const std::vector<std::pair<std::string, DWORD>> expected = {
        {".", FILE_ATTRIBUTE_DIRECTORY},
        {"..", FILE_ATTRIBUTE_DIRECTORY},
        {".hidden", FILE_ATTRIBUTE_DIRECTORY},
        {"data", FILE_ATTRIBUTE_DIRECTORY},
        {"filelink", FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_ARCHIVE},
        {"noext", FILE_ATTRIBUTE_ARCHIVE},
        {"readme.TXT", FILE_ATTRIBUTE_ARCHIVE},
        {"Setup.exe", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
        {"winlink", FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY},
    };
    EXPECT_EQ(list("C:\\App\\*.*"), expected);
    EXPECT_EQ(list("c:\\app\\*"), expected);

    WIN32_FIND_DATAA data;
    HANDLE one = FindFirstFileA("C:\\APP\\README.txt", &data);
    ASSERT_NE(one, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "readme.TXT");
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_FALSE(FindNextFileA(one, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_FALSE(CloseHandle(one));   // a search ends with FindClose only
    EXPECT_TRUE(FindClose(one));
    EXPECT_FALSE(FindClose(one));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(FindFiles, MatchesWildcardsWithoutCase) {
    ScratchMachine machine;
    for (const char* name : {"a.txt", "B.TXT", "c.txt.bak", "d"}) write_host_file(machine.drive('c') / "w" / name, "");
    auto names = [](const char* pattern) {
        std::vector<std::string> out;
        for (auto& e : list(pattern)) out.push_back(e.first);
        return out;
    };
    EXPECT_EQ(names("C:\\w\\*.txt"), (std::vector<std::string>{"a.txt", "B.TXT"}));
    EXPECT_EQ(names("C:\\w\\?.TXT"), (std::vector<std::string>{"a.txt", "B.TXT"}));
    EXPECT_EQ(names("C:\\w\\*.TXT.*"), (std::vector<std::string>{"c.txt.bak"}));
}

TEST(FindFiles, ADriveRootHasNoDotEntries) {
    ScratchMachine machine;
    auto entries = list("C:\\*.*");
    std::map<std::string, DWORD> by_name(entries.begin(), entries.end());
    EXPECT_EQ(by_name.count("."), 0u);
    EXPECT_EQ(by_name.count(".."), 0u);
    EXPECT_EQ(by_name["WINDOWS"], DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(by_name.count("Program Files"), 1u);
}

TEST(FindFiles, ReportsWhyNothingWasFound) {
    ScratchMachine machine;
    write_host_file(machine.drive('c') / "file.txt", "");
    fs::create_directories(machine.drive('c') / "empty");
    struct Case { const char* pattern; DWORD error; };
    const Case cases[] = {{"C:\\missing\\*.*", ERROR_PATH_NOT_FOUND}, {"C:\\file.txt\\*.*", ERROR_PATH_NOT_FOUND},
                          {"C:\\*.none", ERROR_FILE_NOT_FOUND}, {"C:\\empty\\*.txt", ERROR_FILE_NOT_FOUND},
                          {"Q:\\*.*", ERROR_PATH_NOT_FOUND}};
    for (const Case& k : cases) {
        WIN32_FIND_DATAA data;
        EXPECT_EQ(FindFirstFileA(k.pattern, &data), INVALID_HANDLE_VALUE) << k.pattern;
        EXPECT_EQ(GetLastError(), k.error) << k.pattern;
    }
}
