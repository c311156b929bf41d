// The program folder before the files arrive: the folder chain, and the clean-out of an
// earlier installation with its keep list, dot-folders, attributes, links and deep names.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "core/file_install.h"
#include "scratch_machine.h"

namespace {

namespace fs = std::filesystem;

TEST(ShouldDeleteFile, KeepsOnlyTheListedExtensionsInAnyCase) {
    struct Case {
        const char* name;
        bool deleted;
    };
    const Case cases[] = {
        {"Swxplugs.dat", false}, {"LICENSE.Key", false}, {"a.CiA", false},  {"b.cpi", false},
        {".KEY", false},         {"notes.key.bak", true}, {"README", true}, {"name.", true},
        {"Sweeplux.exe", true},  {"keydat", true},        {"x.DATA", true},
    };
    for (const Case& c : cases) EXPECT_EQ(ShouldDeleteFile(c.name) != FALSE, c.deleted) << c.name;
}

TEST(MakeDirectoryChain, CreatesEveryMissingLevelFromTheTop) {
    ScratchMachine machine;
    MakeDirectoryChain("C:\\Deep\\Er\\Than\\Sweeplux");
    EXPECT_TRUE(fs::is_directory(machine.host("C:\\Deep\\Er\\Than\\Sweeplux")));

    MakeDirectoryChain("C:\\DEEP\\er\\Other\\");  // existing levels met without regard to case
    EXPECT_TRUE(fs::is_directory(machine.host("C:\\Deep\\Er\\Other")));
    EXPECT_FALSE(fs::exists(machine.root() / "drives" / "c" / "DEEP")) << "created as first spelled";

    MakeDirectoryChain("C:\\Top");
    EXPECT_TRUE(fs::is_directory(machine.host("C:\\Top")));
    EXPECT_TRUE(PathExists("C:\\top\\"));
    EXPECT_FALSE(PathExists("C:\\Nowhere"));
}

TEST(MakeDirectoryChain, IgnoresPathsWithoutADriveLetter) {
    ScratchMachine machine;
    auto before = std::distance(fs::directory_iterator(machine.host("C:\\")), {});
    for (const char* path : {"\\\\server\\share\\dir", "C:\\", "relative\\dir", ""})
        MakeDirectoryChain(path);
    EXPECT_EQ(std::distance(fs::directory_iterator(machine.host("C:\\")), {}), before);
}

class CleanOutFolderTest : public ::testing::Test {
protected:
    void file(const std::string& windows_path) {
        write_host_file(machine.host(windows_path), "x");
    }
    bool exists(const std::string& windows_path) const {
        return fs::exists(fs::symlink_status(machine.host(windows_path)));
    }
    ScratchMachine machine;
};

TEST_F(CleanOutFolderTest, EmptiesTheTreeExceptKeptFilesDotFoldersAndLinks) {
    const std::string dir = "C:\\Program Files\\Sweeplux";
    for (const char* name : {"Sweeplux.exe", "LICENSE.Key", "Swxplugs.dat", "x.CiA", "y.cpi",
                             "notes.key.bak", "README", "trailing.", ".profile", "readonly.txt",
                             "hidden.txt", "system.txt"})
        file(dir + "\\" + name);
    file(dir + "\\Sub\\b.txt");
    file(dir + "\\Sub\\c.DAT");
    file(dir + "\\Sub\\Deeper\\d.txt");
    file(dir + "\\.svn\\e.txt");
    file(dir + "\\.svn\\Inner\\f.txt");
    file("C:\\Elsewhere\\outside.txt");
    file("C:\\Elsewhere\\Nested\\deep.txt");
    fs::create_directory_symlink(machine.host("C:\\Elsewhere"), machine.host(dir + "\\Link"));
    fs::create_symlink(machine.host("C:\\Elsewhere\\outside.txt"), machine.host(dir + "\\filelink.txt"));
    fs::permissions(machine.host(dir + "\\readonly.txt"), fs::perms::owner_write | fs::perms::group_write |
                                                              fs::perms::others_write,
                    fs::perm_options::remove);
    ASSERT_TRUE(SetFileAttributesA((dir + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((dir + "\\system.txt").c_str(),
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));

    EXPECT_TRUE(CleanOutFolder(dir.c_str()));

    for (const char* gone : {"Sweeplux.exe", "notes.key.bak", "README", "trailing.", ".profile",
                             "readonly.txt", "hidden.txt", "system.txt", "Sub\\b.txt",
                             "Sub\\Deeper\\d.txt"})
        EXPECT_FALSE(exists(dir + "\\" + gone)) << gone;
    for (const char* kept : {"LICENSE.Key", "Swxplugs.dat", "x.CiA", "y.cpi", "Sub\\c.DAT",
                             ".svn\\e.txt", ".svn\\Inner\\f.txt", "Link", "filelink.txt"})
        EXPECT_TRUE(exists(dir + "\\" + kept)) << kept;
    EXPECT_TRUE(fs::is_directory(machine.host(dir + "\\Sub\\Deeper"))) << "folders stay, emptied";
    EXPECT_TRUE(exists("C:\\Elsewhere\\outside.txt"));
    EXPECT_TRUE(exists("C:\\Elsewhere\\Nested\\deep.txt"));
}

TEST_F(CleanOutFolderTest, PassesOverNamesWhosePathWouldNotFit) {
    // C:\P\ is 5 characters; the longest path that fits has 259.
    const std::string dir = "C:\\P";
    const std::string fits = dir + "\\" + std::string(254 - 4, 'f') + ".txt";      // 259
    const std::string too_long = dir + "\\" + std::string(255 - 4, 'g') + ".txt";  // 260
    const std::string folder = dir + "\\" + std::string(200, 'd');
    const std::string below = folder + "\\" + std::string(100, 'e') + ".txt";  // 306
    ASSERT_EQ(fits.size(), 259u);
    ASSERT_EQ(too_long.size(), 260u);
    file(fits);
    file(too_long);
    file(below);
    file(folder + "\\short.txt");

    EXPECT_TRUE(CleanOutFolder(dir.c_str()));
    EXPECT_FALSE(exists(fits));
    EXPECT_TRUE(exists(too_long));
    EXPECT_TRUE(exists(below));
    EXPECT_FALSE(exists(folder + "\\short.txt"));
}

TEST_F(CleanOutFolderTest, AnswersFalseForAFolderThatCannotBeListed) {
    EXPECT_FALSE(CleanOutFolder("C:\\Missing"));
    EXPECT_FALSE(CleanOutFolder(("C:\\" + std::string(260, 'n')).c_str()));
}

}  // namespace
