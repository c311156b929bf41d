// The shell link object: shortcuts made as the installer makes them, saved into the machine
// and read back by an independent reader and by the object itself.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include "lnkinfo_reader.h"
#include "scratch_machine.h"

namespace {

constexpr const char* program_dir = "C:\\Orvane Tinkerware\\Sweeplux";
constexpr const char* windows_dir = "C:\\WINDOWS";
constexpr const char* group_dir = "C:\\Documents and Settings\\Owner\\Start Menu\\Programs\\Sweeplux";

FILETIME filetime(std::uint64_t ticks) {
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}
// Aug 24, 2001 09:15:00, Aug 25, 2001 10:20:00 and Aug 24, 2001 09:16:30 UTC.
const FILETIME created = filetime(0x1c12c7d4009c200ull);
const FILETIME accessed = filetime(0x1c12d4f7f084800ull);
const FILETIME written = filetime(0x1c12c7d75aeab00ull);

// A file of `size` bytes with the three fixed times, made through the kernel.
void make_file(const std::string& path, std::size_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    std::string bytes(size, 'x');
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(size), &done, nullptr));
    ASSERT_TRUE(SetFileTime(file, &created, &accessed, &written));
    CloseHandle(file);
}

// The wide form of an ANSI path, converted as the installer converts it.
std::u16string wide_of(const std::string& ansi) {
    WCHAR wide[MAX_PATH];
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, MAX_PATH);
    return n > 0 ? std::u16string(wide) : std::u16string();
}

// The installer's way of making one shortcut.
void create_shell_link(const std::string& target, const std::string& folder, const std::string& link_file,
                       const std::string& description) {
    IShellLinkA* link = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link)), S_OK);
    EXPECT_EQ(link->SetPath(target.c_str()), S_OK);
    EXPECT_EQ(link->SetWorkingDirectory(folder.c_str()), S_OK);
    EXPECT_EQ(link->SetDescription(description.c_str()), S_OK);
    IPersistFile* file = nullptr;
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
    EXPECT_EQ(file->Save(wide_of(link_file).c_str(), TRUE), S_OK) << link_file;
    file->Release();
    link->Release();
}


class ShellLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 16; ++i) CoUninitialize();
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        CreateDirectoryA("C:\\Orvane Tinkerware", nullptr);
        CreateDirectoryA(program_dir, nullptr);
        CreateDirectoryA(group_dir, nullptr);
    }
    void TearDown() override { CoUninitialize(); }

    IShellLinkA* new_link() {
        IShellLinkA* link = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)), S_OK);
        return link;
    }
    static IPersistFile* persist(IShellLinkA* link) {
        IPersistFile* file = nullptr;
        EXPECT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
        return file;
    }

    ScratchMachine machine;
};

TEST_F(ShellLinkTest, ExampleShortcutsAreReadBackByAnIndependentReader) {
    struct Shortcut {
        const char* file;
        const char* folder;
        const char* name;
        std::size_t size;
        const char* relative;
    } shortcuts[] = {
        {"Swxremov.exe", windows_dir, "Uninstall", 18432, "..\\..\\..\\..\\..\\WINDOWS\\Swxremov.exe"},
        {"Swxupdt.exe", program_dir, "Update", 40960, "..\\..\\..\\..\\..\\Orvane Tinkerware\\Sweeplux\\Swxupdt.exe"},
        {"Sweeplux.exe", program_dir, "Sweeplux", 73728, "..\\..\\..\\..\\..\\Orvane Tinkerware\\Sweeplux\\Sweeplux.exe"},
        {"Sweeplux.hlp", program_dir, "Help", 5120, "..\\..\\..\\..\\..\\Orvane Tinkerware\\Sweeplux\\Sweeplux.hlp"},
        {"Swxguide.txt", program_dir, "Read Me", 2210, "..\\..\\..\\..\\..\\Orvane Tinkerware\\Sweeplux\\Swxguide.txt"},
    };
    for (const Shortcut& s : shortcuts) {
        const std::string target = std::string(s.folder) + "\\" + s.file;
        const std::string link_file = std::string(group_dir) + "\\" + s.name + ".lnk";
        make_file(target, s.size);
        create_shell_link(target, s.folder, link_file, s.name);

        const fs::path host_file = machine.host(link_file);
        ASSERT_TRUE(fs::is_regular_file(host_file)) << host_file;
        LnkInfo info = run_lnkinfo(host_file);
        ASSERT_TRUE(info.ok) << info.output;
        SCOPED_TRACE(info.output);
        EXPECT_EQ(info.field("Local path"), target);
        EXPECT_EQ(info.field("Working directory"), s.folder);
        EXPECT_EQ(info.field("Description"), s.name);
        EXPECT_EQ(info.field("Relative path"), s.relative);
        EXPECT_EQ(info.field("Drive type"), "Fixed (3)");
        EXPECT_EQ(info.field("File size"), std::to_string(s.size) + " bytes");
        EXPECT_EQ(info.field("Creation time").substr(0, 21), "Aug 24, 2001 09:15:00");
        EXPECT_EQ(info.field("Access time").substr(0, 21), "Aug 25, 2001 10:20:00");
        EXPECT_EQ(info.field("Modification time").substr(0, 21), "Aug 24, 2001 09:16:30");
        EXPECT_FALSE(info.has("Command line arguments"));
        EXPECT_FALSE(info.has("Icon location"));

        // The show command is SW_SHOWNORMAL and no hot key is set.
        std::ifstream in(host_file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 0x44u);
        EXPECT_EQ(bytes.substr(0x3C, 4), std::string("\x01\0\0\0", 4));
        EXPECT_EQ(bytes.substr(0x40, 2), std::string("\0\0", 2));
    }
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(machine.host(group_dir))) files += entry.is_regular_file();
    EXPECT_EQ(files, 5u);
}

TEST_F(ShellLinkTest, LinkPathAndTextsWithWindows1252Characters) {
    const std::string folder = "C:\\Orvane Tinkerware\\Soci\xE9t\xE9";
    const std::string target = folder + "\\Cr\xE8me.exe";
    const std::string link_file = std::string(group_dir) + "\\Cr\xE8me br\xFBl\xE9\x65 \xBD.lnk";
    CreateDirectoryA(folder.c_str(), nullptr);
    make_file(target, 100);
    create_shell_link(target, folder, link_file, "Zo\xEB's \x80 guide");

    const fs::path host_file = machine.host(std::string(group_dir)) / fs::u8path("Cr\u00E8me br\u00FBl\u00E9e \u00BD.lnk");
    ASSERT_TRUE(fs::is_regular_file(host_file));
    LnkInfo info = run_lnkinfo(host_file);
    ASSERT_TRUE(info.ok) << info.output;
    EXPECT_EQ(info.field("Local path"), "C:\\Orvane Tinkerware\\Soci\u00E9t\u00E9\\Cr\u00E8me.exe");
    EXPECT_EQ(info.field("Working directory"), "C:\\Orvane Tinkerware\\Soci\u00E9t\u00E9");
    EXPECT_EQ(info.field("Description"), "Zo\u00EB's \u20AC guide");
}

TEST_F(ShellLinkTest, SaveOverwritesAnExistingShortcutAndFailsWhereNoFolderIs) {
    make_file(std::string(program_dir) + "\\A.exe", 10);
    make_file(std::string(program_dir) + "\\B.exe", 20);
    const std::string link_file = std::string(group_dir) + "\\Tool.lnk";
    create_shell_link(std::string(program_dir) + "\\A.exe", program_dir, link_file, "First");
    create_shell_link(std::string(program_dir) + "\\B.exe", program_dir, link_file, "Second");
    LnkInfo info = run_lnkinfo(machine.host(link_file));
    EXPECT_EQ(info.field("Local path"), std::string(program_dir) + "\\B.exe");
    EXPECT_EQ(info.field("Description"), "Second");

    IShellLinkA* link = new_link();
    IPersistFile* file = persist(link);
    link->SetPath((std::string(program_dir) + "\\A.exe").c_str());
    const std::string nowhere = "C:\\No Such Folder\\Tool.lnk";
    EXPECT_TRUE(FAILED(file->Save(wide_of(nowhere).c_str(), TRUE)));
    EXPECT_FALSE(fs::exists(machine.host(nowhere)));
    // A failed save remembers nothing.
    LPOLESTR current = nullptr;
    EXPECT_EQ(file->GetCurFile(&current), S_FALSE);
    CoTaskMemFree(current);
    file->Release();
    link->Release();
}

TEST(ShellLinkOnSmallDisks, SaveReportsWhatTheDiskRefused) {
    std::string ini = ScratchMachine::default_ini;
    ini += "F = fixed, 100\n";
    ScratchMachine machine(ini);
    for (int i = 0; i < 16; ++i) CoUninitialize();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    IShellLinkA* link = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&link)), S_OK);
    link->SetPath("C:\\WINDOWS\\notepad.exe");
    link->SetDescription("A description long enough that the link file needs more than a hundred bytes");
    IPersistFile* file = nullptr;
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
    EXPECT_EQ(file->Save(wide_of("F:\\Tool.lnk").c_str(), TRUE), HRESULT_FROM_WIN32(ERROR_DISK_FULL));
    EXPECT_TRUE(FAILED(file->Save(wide_of("D:\\Tool.lnk").c_str(), TRUE)));  // a CD
    LPOLESTR current = nullptr;
    EXPECT_EQ(file->GetCurFile(&current), S_FALSE);
    CoTaskMemFree(current);
    file->Release();
    link->Release();
    CoUninitialize();
}

TEST_F(ShellLinkTest, SettersAnswerThroughTheGetters) {
    const std::string target = std::string(program_dir) + "\\Sweeplux.exe";
    make_file(target, 4096);
    IShellLinkA* link = new_link();
    char text[MAX_PATH];
    WIN32_FIND_DATAA data{};

    EXPECT_EQ(link->GetPath(text, MAX_PATH, &data, 0), S_FALSE);  // no target yet
    EXPECT_STREQ(text, "");

    EXPECT_EQ(link->SetPath(target.c_str()), S_OK);
    EXPECT_EQ(link->SetArguments("/x"), S_OK);
    EXPECT_EQ(link->SetIconLocation("C:\\WINDOWS\\a.ico", 3), S_OK);
    EXPECT_EQ(link->SetShowCmd(3), S_OK);
    EXPECT_EQ(link->SetHotkey(0x0641), S_OK);
    EXPECT_EQ(link->SetDescription(nullptr), E_INVALIDARG);

    EXPECT_EQ(link->GetPath(text, MAX_PATH, &data, 0), S_OK);
    EXPECT_EQ(std::string(text), target);
    EXPECT_STREQ(data.cFileName, "Sweeplux.exe");
    EXPECT_EQ(data.nFileSizeLow, 4096u);
    EXPECT_EQ(data.ftCreationTime.dwLowDateTime, created.dwLowDateTime);
    EXPECT_EQ(link->GetPath(text, 5, nullptr, 0), S_OK);  // cut to fit
    EXPECT_STREQ(text, "C:\\O");
    EXPECT_EQ(link->GetArguments(text, MAX_PATH), S_OK);
    EXPECT_STREQ(text, "/x");
    int icon = 0;
    EXPECT_EQ(link->GetIconLocation(text, MAX_PATH, &icon), S_OK);
    EXPECT_STREQ(text, "C:\\WINDOWS\\a.ico");
    EXPECT_EQ(icon, 3);
    int show = 0;
    WORD hotkey = 0;
    EXPECT_EQ(link->GetShowCmd(&show), S_OK);
    EXPECT_EQ(show, 3);
    EXPECT_EQ(link->GetHotkey(&hotkey), S_OK);
    EXPECT_EQ(hotkey, 0x0641);

    LPITEMIDLIST pidl = nullptr;
    ASSERT_EQ(link->GetIDList(&pidl), S_OK);
    EXPECT_TRUE(SHGetPathFromIDListA(pidl, text));
    EXPECT_EQ(std::string(text), target);
    CoTaskMemFree(pidl);

    // What is saved comes back through Load into a fresh object.
    IPersistFile* file = persist(link);
    EXPECT_EQ(file->IsDirty(), S_OK);
    const std::string link_file = std::string(group_dir) + "\\Sweeplux.lnk";
    ASSERT_EQ(file->Save(wide_of(link_file).c_str(), TRUE), S_OK);
    EXPECT_EQ(file->IsDirty(), S_FALSE);
    LPOLESTR current = nullptr;
    ASSERT_EQ(file->GetCurFile(&current), S_OK);
    EXPECT_EQ(std::u16string(current), wide_of(link_file));
    CoTaskMemFree(current);
    file->Release();
    link->Release();

    LnkInfo info = run_lnkinfo(machine.host(link_file));
    EXPECT_EQ(info.field("Command line arguments"), "/x");
    EXPECT_EQ(info.field("Icon location"), "C:\\WINDOWS\\a.ico");
    EXPECT_EQ(info.field("Icon index"), "3");

    IShellLinkA* loaded = new_link();
    IPersistFile* loader = persist(loaded);
    ASSERT_EQ(loader->Load(wide_of(link_file).c_str(), STGM_READ), S_OK);
    EXPECT_EQ(loaded->GetPath(text, MAX_PATH, nullptr, 0), S_OK);
    EXPECT_EQ(std::string(text), target);
    EXPECT_EQ(loaded->GetArguments(text, MAX_PATH), S_OK);
    EXPECT_STREQ(text, "/x");
    EXPECT_EQ(loaded->GetShowCmd(&show), S_OK);
    EXPECT_EQ(show, 3);
    EXPECT_EQ(loaded->GetHotkey(&hotkey), S_OK);
    EXPECT_EQ(hotkey, 0x0641);
    loader->Release();
    loaded->Release();
}

TEST_F(ShellLinkTest, LoadRefusesMissingAndForeignFiles) {
    const std::string not_a_link = std::string(program_dir) + "\\readme.txt";
    make_file(not_a_link, 300);
    IShellLinkA* link = new_link();
    IPersistFile* file = persist(link);
    EXPECT_EQ(file->Load(wide_of(std::string(program_dir) + "\\missing.lnk").c_str(), STGM_READ),
              HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(FAILED(file->Load(wide_of(not_a_link).c_str(), STGM_READ)));
    char text[MAX_PATH];
    EXPECT_EQ(link->GetPath(text, MAX_PATH, nullptr, 0), S_FALSE);
    file->Release();
    link->Release();
}

}  // namespace
