// Special folders, item identifier lists and SHGetFileInfoA's names and icons.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include <commctrl.h>
#include <shlobj.h>
#include <windows.h>

#include "scratch_machine.h"

namespace {

constexpr UINT name_and_icon = SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON;

struct Answer {
    DWORD_PTR result = 0;
    std::string name;
    int icon = -1;
};

Answer file_info(const std::string& path, UINT flags, DWORD attributes = 0) {
    SHFILEINFOA info{};
    info.iIcon = -1;
    Answer answer;
    answer.result = SHGetFileInfoA(path.c_str(), attributes, &info, sizeof info, flags);
    answer.name = info.szDisplayName;
    answer.icon = info.iIcon;
    return answer;
}

DWORD_PTR small_list() {
    SHFILEINFOA info{};
    return SHGetFileInfoA(".", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
}

class ShellFolders : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA("C:\\Program Files\\Tools", nullptr);
        HANDLE file = CreateFileA("C:\\WINDOWS\\notes.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    ScratchMachine machine;
};

TEST_F(ShellFolders, ComputerHasTheMachinesNameAndNoPath) {
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    ASSERT_NE(computer, nullptr);
    SHFILEINFOA info{};
    DWORD_PTR list = SHGetFileInfoA(reinterpret_cast<LPCSTR>(computer), 0, &info, sizeof info,
                                    SHGFI_PIDL | name_and_icon);
    EXPECT_EQ(list, small_list());
    EXPECT_STREQ(info.szDisplayName, "Tarrow Box");

    char path[MAX_PATH] = "junk";
    EXPECT_FALSE(SHGetPathFromIDListA(computer, path));
    EXPECT_STREQ(path, "");

    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    EXPECT_EQ(malloc->DidAlloc(computer), 1);
    malloc->Free(computer);
    EXPECT_EQ(malloc->DidAlloc(computer), 0);
    malloc->Release();
}

TEST_F(ShellFolders, ProgramsFolderComesFromTheMachineSettings) {
    LPITEMIDLIST programs = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &programs), S_OK);
    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDListA(programs, path));
    EXPECT_STREQ(path, "C:\\Documents and Settings\\Owner\\Start Menu\\Programs");
    SHFILEINFOA info{};
    EXPECT_NE(SHGetFileInfoA(reinterpret_cast<LPCSTR>(programs), 0, &info, sizeof info,
                             SHGFI_PIDL | name_and_icon), 0u);
    EXPECT_STREQ(info.szDisplayName, "Programs");
    CoTaskMemFree(programs);

    LPITEMIDLIST other = reinterpret_cast<LPITEMIDLIST>(0x1);
    EXPECT_EQ(SHGetSpecialFolderLocation(nullptr, 0x7777, &other), E_INVALIDARG);
    EXPECT_EQ(other, nullptr);
}

TEST(ShellFoldersElsewhere, ProgramsFolderFollowsTheSettingAndMustExist) {
    std::string ini = ScratchMachine::default_ini;
    ini.replace(ini.find("programs = "), std::string("programs = C:\\Documents and Settings\\Owner\\Start Menu\\Programs").size(),
                "programs = C:\\Menu\\Programme");
    ScratchMachine machine(ini);
    char path[MAX_PATH] = {};
    LPITEMIDLIST programs = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &programs), S_OK);
    EXPECT_TRUE(SHGetPathFromIDListA(programs, path));
    EXPECT_STREQ(path, "C:\\Menu\\Programme");
    CoTaskMemFree(programs);

    fs::remove_all(machine.host("C:\\Menu\\Programme"));
    programs = reinterpret_cast<LPITEMIDLIST>(0x1);
    EXPECT_TRUE(FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &programs)));
    EXPECT_EQ(programs, nullptr);
}

TEST_F(ShellFolders, DrivesAreNamedAndDrawnByTheirType) {
    struct Case {
        const char* root;
        const char* name;
    } cases[] = {
        {"C:\\", "Local Disk (C:)"},  {"c:\\", "Local Disk (C:)"},     {"A:\\", "3\xBD Floppy (A:)"},
        {"D:\\", "CD Drive (D:)"},    {"E:\\", "Removable Disk (E:)"}, {"N:\\", "Network Drive (N:)"},
        {"R:\\", "RAM Disk (R:)"},
    };
    std::set<int> icons;
    for (const Case& c : cases) {
        Answer a = file_info(c.root, name_and_icon);
        EXPECT_EQ(a.result, small_list()) << c.root;
        EXPECT_EQ(a.name, c.name);
        icons.insert(a.icon);
    }
    // One icon for each type, the floppy and the other removable drive apart.
    EXPECT_EQ(icons.size(), 6u);
    EXPECT_EQ(file_info("Z:\\", name_and_icon).result, 0u);
}

TEST_F(ShellFolders, FoldersAndFilesWithAndWithoutTheirAttributes) {
    const int closed = file_info("C:\\Program Files", name_and_icon).icon;
    const int open = file_info("C:\\Program Files", name_and_icon | SHGFI_OPENICON).icon;
    const int text = file_info("C:\\WINDOWS\\notes.txt", name_and_icon).icon;
    const int generic = file_info("C:\\x.dat", name_and_icon | SHGFI_USEFILEATTRIBUTES, FILE_ATTRIBUTE_NORMAL).icon;
    const int computer = [] {
        LPITEMIDLIST pidl = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl);
        SHFILEINFOA info{};
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, SHGFI_PIDL | name_and_icon);
        CoTaskMemFree(pidl);
        return info.iIcon;
    }();
    const int fixed = file_info("C:\\", name_and_icon).icon;
    EXPECT_EQ((std::set<int>{closed, open, text, generic, computer, fixed}).size(), 6u);

    struct Case {
        const char* path;
        UINT extra;
        DWORD attributes;
        bool found;
        const char* name;
        int icon;
    } cases[] = {
        {"C:\\Program Files", 0, 0, true, "Program Files", closed},
        {"c:\\PROGRAM FILES\\tools", 0, 0, true, "Tools", closed},  // the disk's spelling
        {"C:\\Program Files\\", SHGFI_OPENICON, 0, true, "Program Files", open},
        {"C:\\WINDOWS\\notes.txt", SHGFI_OPENICON, 0, true, "notes.txt", text},
        {"C:\\Orvane Tinkerware\\Sweeplux", 0, 0, false, "", -1},
        {"C:\\Orvane Tinkerware\\Sweeplux", SHGFI_USEFILEATTRIBUTES, FILE_ATTRIBUTE_DIRECTORY, true, "Sweeplux", closed},
        {"C:\\Orvane Tinkerware\\Sweeplux", SHGFI_USEFILEATTRIBUTES | SHGFI_OPENICON, FILE_ATTRIBUTE_DIRECTORY, true,
         "Sweeplux", open},
        // The attributes stand for the disk even where something else exists.
        {"C:\\Program Files", SHGFI_USEFILEATTRIBUTES, FILE_ATTRIBUTE_NORMAL, true, "Program Files", generic},
        {"C:\\Program Files\\*", 0, 0, false, "", -1},
    };
    for (const Case& c : cases) {
        Answer a = file_info(c.path, name_and_icon | c.extra, c.attributes);
        EXPECT_EQ(a.result != 0, c.found) << c.path;
        if (!c.found) continue;
        EXPECT_EQ(a.result, small_list()) << c.path;
        EXPECT_EQ(a.name, c.name) << c.path;
        EXPECT_EQ(a.icon, c.icon) << c.path;
    }

    // Without the icon index the answer is plain success.
    EXPECT_EQ(file_info("C:\\Program Files", SHGFI_DISPLAYNAME).result, 1u);
}

TEST_F(ShellFolders, SmallAndLargeSystemListsHoldTheSameIcons) {
    HIMAGELIST small = reinterpret_cast<HIMAGELIST>(small_list());
    SHFILEINFOA info{};
    HIMAGELIST large = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(".", 0, &info, sizeof info, SHGFI_SYSICONINDEX));
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_NE(small, large);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(small, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(ImageList_GetImageCount(small), ImageList_GetImageCount(large));
    EXPECT_GE(ImageList_GetImageCount(small), 9);
    EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(&info)), 0);
}

}  // namespace
