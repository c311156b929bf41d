#include <gtest/gtest.h>

#include "host/prefix.h"
#include "scratch_machine.h"

namespace fs = std::filesystem;
using winsim::host::DriveType;
using winsim::host::PathProblem;
using winsim::host::prefix;

TEST(Prefix, FirstUseCreatesTheDefaultMachine) {
    ScratchMachine machine;
    const fs::path c = machine.drive('c');
    for (const char* folder : {"WINDOWS/SYSTEM32", "Program Files",
                               "Documents and Settings/Owner/Start Menu/Programs/Accessories",
                               "Documents and Settings/Owner/Start Menu/Programs/Startup"})
        EXPECT_TRUE(fs::is_directory(c / folder)) << folder;
    EXPECT_EQ(read_host_file(machine.root() / "winsim.ini"), winsim::host::default_ini_text());
    EXPECT_FALSE(fs::exists(machine.root() / "system.reg"));
    EXPECT_EQ(prefix().setting("machine", "windows"), "C:\\WINDOWS");
    EXPECT_EQ(prefix().setting("Programs", "NOTEPAD.EXE"), "winsim-notepad");
    EXPECT_EQ(prefix().setting("machine", "admin"), "yes");
}

TEST(Prefix, LaterUseFillsInWithoutOverwriting) {
    ScratchMachine machine("[machine]\nwindows = C:\\Win\n[drives]\nC = fixed\n");
    const fs::path c = machine.drive('c');
    EXPECT_TRUE(fs::is_directory(c / "Win"));
    fs::remove_all(c / "Program Files");
    write_host_file(c / "WINDOWS" / "keep.txt", "mine");
    winsim::host::Prefix::reload();
    EXPECT_TRUE(fs::is_directory(c / "Program Files"));
    EXPECT_EQ(read_host_file(c / "WINDOWS" / "keep.txt"), "mine");
    EXPECT_EQ(read_host_file(machine.root() / "winsim.ini"), "[machine]\nwindows = C:\\Win\n[drives]\nC = fixed\n");
    // Keys that winsim.ini leaves out of [machine] keep their defaults.
    EXPECT_EQ(prefix().setting("machine", "windows"), "C:\\Win");
    EXPECT_EQ(prefix().setting("machine", "computer"), "My Computer");
    EXPECT_EQ(prefix().setting("programs", "notepad.exe", "none"), "none");
}

TEST(Prefix, DrivesComeFromTheIniAndTheDriveFolders) {
    ScratchMachine machine("[drives]\nC = fixed\nd = removable, 2M\nE = cdrom\nF = remote, 512k\nG = ramdisk\n");
    fs::create_directories(machine.drive('h'));
    winsim::host::Prefix::reload();
    struct Expected { char letter; DriveType type; std::uint64_t limit; };
    const Expected expected[] = {{'C', DriveType::Fixed, 0},        {'D', DriveType::Removable, 2u << 20},
                                 {'E', DriveType::Cdrom, 0},        {'F', DriveType::Remote, 512u << 10},
                                 {'G', DriveType::Ramdisk, 0},      {'H', DriveType::Fixed, 0}};
    ASSERT_EQ(prefix().drives().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto& d = prefix().drives()[i];
        EXPECT_EQ(d.letter, expected[i].letter);
        EXPECT_EQ(d.type, expected[i].type) << d.letter;
        EXPECT_EQ(d.size_limit, expected[i].limit) << d.letter;
    }
    EXPECT_EQ(prefix().drive('f'), &prefix().drives()[3]);
    EXPECT_EQ(prefix().drive('Z'), nullptr);
    // Media of removable and CD drives are not invented; fixed disks have their root.
    EXPECT_FALSE(fs::exists(machine.drive('d')));
    EXPECT_TRUE(fs::is_directory(machine.drive('g')));
}

TEST(Prefix, ResolvesComponentsWithoutRegardToCase) {
    ScratchMachine machine;
    const fs::path c = machine.drive('c');
    write_host_file(c / "WINDOWS" / "Notes.TXT", "x");
    write_host_file(c / "Caf\xC3\xA9" / "file", "x");   // UTF-8 on the host

    struct Case { const char* path; fs::path host; const char* windows; bool exists; bool parent; };
    const Case cases[] = {
        {"c:\\windows\\notes.txt", c / "WINDOWS" / "Notes.TXT", "C:\\WINDOWS\\Notes.TXT", true, true},
        {"C:/Windows/System32", c / "WINDOWS" / "SYSTEM32", "C:\\WINDOWS\\SYSTEM32", true, true},
        {"C:\\WINDOWS\\.\\x\\..\\NOTES.txt", c / "WINDOWS" / "Notes.TXT", "C:\\WINDOWS\\Notes.TXT", true, true},
        {"C:\\windows\\New Folder\\Sub", c / "WINDOWS" / "New Folder" / "Sub", "C:\\WINDOWS\\New Folder\\Sub", false, false},
        {"C:\\windows\\New File.Txt", c / "WINDOWS" / "New File.Txt", "C:\\WINDOWS\\New File.Txt", false, true},
        {"C:\\CAF\xC9\\FILE", c / "Caf\xC3\xA9" / "file", "C:\\Caf\xE9\\file", true, true},   // Windows-1252
        {"C:\\..\\..", c, "C:\\", true, true},
        {"C:\\WINDOWS\\Notes.TXT\\inner", c / "WINDOWS" / "Notes.TXT" / "inner", "C:\\WINDOWS\\Notes.TXT\\inner", false, false},
    };
    for (const Case& k : cases) {
        auto p = prefix().resolve(k.path);
        ASSERT_TRUE(p) << k.path;
        EXPECT_EQ(p->host, k.host) << k.path;
        EXPECT_EQ(p->windows, k.windows) << k.path;
        EXPECT_EQ(p->exists, k.exists) << k.path;
        EXPECT_EQ(p->parent_exists, k.parent) << k.path;
    }
}

TEST(Prefix, PrefersTheExactSpellingWhenTwoNamesDifferOnlyInCase) {
    ScratchMachine machine;
    write_host_file(machine.drive('c') / "a.txt", "lower");
    write_host_file(machine.drive('c') / "A.txt", "upper");
    EXPECT_EQ(prefix().host_path("C:\\a.txt").filename(), "a.txt");
    EXPECT_EQ(prefix().host_path("C:\\A.TXT").filename(), "A.txt");   // first in name order
}

TEST(Prefix, RejectsPathsOffTheMachine) {
    ScratchMachine machine;
    struct Case { const char* path; PathProblem problem; };
    const Case cases[] = {{"relative\\x", PathProblem::NotAbsolute}, {"C:", PathProblem::NotAbsolute},
                          {"\\\\server\\share", PathProblem::NotAbsolute}, {"Q:\\x", PathProblem::NoSuchDrive},
                          {"C:\\a\"b\"", PathProblem::InvalidName}, {"C:\\a*\\b", PathProblem::InvalidName},
                          {"C:\\a:b", PathProblem::InvalidName}};
    for (const Case& k : cases) {
        PathProblem problem = PathProblem::None;
        EXPECT_FALSE(prefix().resolve(k.path, &problem)) << k.path;
        EXPECT_EQ(problem, k.problem) << k.path;
    }
    EXPECT_TRUE(prefix().host_path("Q:\\x").empty());
}
