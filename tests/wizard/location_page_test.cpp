// The program location page driven by the scripted user: the proposed folder and its chain in
// the list, typed folders and the warnings, browsing drives and folders, Reset Folder, and the
// folder recorded by an earlier installation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "installer_run.h"
#include "screenshot.h"
#include "wizard_scripts.h"

namespace fs = std::filesystem;

namespace {

const std::uint32_t WHITE = 0xFFFFFF;
const std::uint32_t LINE = 0xF8F8FF;
const std::uint32_t HIGHLIGHT = 0x000080;

const char* const DEFAULT_FOLDER = "C:\\Orvane Tinkerware\\Sweeplux";
const char* const README = "Swxguide.txt";

const char* const DRIVES_INI =
    "[drives]\n"
    "C = fixed\n"
    "D = fixed\n"
    "E = cdrom\n"
    "F = removable\n";

const char* const TO_LOCATION = SCRIPT_TO_LOCATION_PAGE;

// Cancel on the page and OK on the abort box: the run ends without waiting for input.
const char* const CANCEL_PAGE =
    "click \"Cancel\"\n"
    "wait \"Tarrowin\"\n"
    "click \"OK\"\n";

// Continue on the page and the rest of the installation up to the farewell.
const char* const CONTINUE_AND_FINISH =
    "click \"Continue\"\n"
    "wait \"Sweeplux Program Group\"\n"
    "click \"Continue\"\n"
    "wait \"Tarrowin\"\n"
    "click \"No\"\n"
    "wait \"Tarrowin\"\n"
    "click \"OK\"\n";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string ExpectFolderText(const std::string& text) { return "expect #300 " + Quoted(text) + "\n"; }

// Empties the folder edit from its end (it holds at most 259 characters) and types the text,
// as a person at the keyboard would.
std::string Retype(const std::string& text) {
    std::string script = "click #300\nkey End\n";
    for (int i = 0; i < 260; ++i) script += "key Back\n";
    script += ExpectFolderText("");
    if (!text.empty()) script += "type " + Quoted(text) + "\n";
    return script;
}

bool InstalledInto(const InstallerRun& run, const std::string& folder) {
    return fs::is_regular_file(run.host_path(folder + "\\" + README));
}

// The page's outline on the work area (above the tagline at the bottom).
PixelBox PageOnWorkArea(const Screenshot& shot) {
    int aboveTagline = shot.height() - shot.height() / 18 - 20;
    return shot.bounds_without(PixelBox{150, 60, shot.width(), aboveTagline}, {WHITE, LINE});
}

// The part of the page where only the folder list lies: right of the picture, left of the
// buttons, below the heading and the folder edit.
PixelBox ListArea(const Screenshot& shot) {
    PixelBox page = PageOnWorkArea(shot);
    return PixelBox{page.left + page.width() * 31 / 100, page.top + page.height() * 37 / 100,
                    page.left + page.width() * 78 / 100, page.bottom - 2};
}

// The highlighted entry of the folder list.
PixelBox SelectedEntry(const Screenshot& shot) { return shot.bounds_of(ListArea(shot), HIGHLIGHT); }

// What the warning box says: its lines cannot be written in a script, so the run ends on an
// expectation that fails and the scripted user names what the text reads.
std::string WarningText(const std::string& output) {
    const std::string reads = "reads \"";
    std::size_t start = output.find(reads);
    if (start == std::string::npos) return "(no warning text in the output: " + output + ")";
    start += reads.size();
    std::size_t end = output.find("\"\n", start);
    return end == std::string::npos ? output.substr(start) : output.substr(start, end - start);
}

}  // namespace

TEST(LocationPage, FirstRunProposesTheDefaultFolderWithItsChainAndInstallsThere) {
    InstallerRun run("location-first");
    const char* const entries[] = {"My Computer", "C:\\", "C:\\Orvane Tinkerware", DEFAULT_FOLDER};
    std::string script = std::string(TO_LOCATION) + ExpectFolderText(DEFAULT_FOLDER) + "shot \"start.png\"\n";
    for (int i = 0; i < 4; ++i)
        script += "select #301 " + Quoted(entries[i]) + "\nshot \"entry" + std::to_string(i) + ".png\"\n";
    // Single clicks only move the highlight: the folder stays the proposal.
    script += ExpectFolderText(DEFAULT_FOLDER) + CONTINUE_AND_FINISH;
    ASSERT_EQ(run.run(script), 1) << run.output();

    Screenshot start(run.folder() / "start.png");
    ASSERT_TRUE(start.loaded());
    PixelBox current = SelectedEntry(start);
    ASSERT_FALSE(current.empty());

    // Entry k is drawn one row below entry k - 1 and indented 8 pixels further.
    PixelBox first = SelectedEntry(Screenshot(run.folder() / "entry0.png"));
    ASSERT_FALSE(first.empty());
    int rowHeight = 0;
    for (int i = 1; i < 4; ++i) {
        SCOPED_TRACE(entries[i]);
        PixelBox entry = SelectedEntry(Screenshot(run.folder() / ("entry" + std::to_string(i) + ".png")));
        ASSERT_FALSE(entry.empty());
        if (i == 1) rowHeight = entry.top - first.top;
        EXPECT_GT(rowHeight, 8);
        EXPECT_EQ(entry.top, first.top + i * rowHeight);
        EXPECT_EQ(entry.left, first.left + i * 8);
    }
    // The current folder is the one selected at the start, and nothing is listed below it.
    PixelBox last = SelectedEntry(Screenshot(run.folder() / "entry3.png"));
    EXPECT_EQ(current.top, last.top);
    EXPECT_EQ(current.left, last.left);
    // Icons are 16 pixels high and reach into the next row; the probe starts below that.
    PixelBox below{first.left - 16, current.top + 16, current.right + 24, current.bottom + 3 * rowHeight};
    EXPECT_TRUE(start.bounds_without(below, {WHITE}).empty());

    // The current folder has the open-folder icon, the folder above it the closed one: compare
    // the two while neither is selected (the selected entry's icon is blended), in the rows of
    // each entry that the icon of the entry above does not reach into.
    Screenshot entry0(run.folder() / "entry0.png");
    Screenshot entry2(run.folder() / "entry2.png");
    Screenshot entry3(run.folder() / "entry3.png");
    const int iconLeft = first.left - 18;
    const int clearTop = 16 - rowHeight;
    PixelBox openIcon{iconLeft + 24, first.top + 3 * rowHeight + clearTop, iconLeft + 40, first.top + 4 * rowHeight};
    PixelBox closedIcon{iconLeft + 16, first.top + 2 * rowHeight + clearTop, iconLeft + 32, first.top + 3 * rowHeight};
    ASSERT_FALSE(openIcon.empty());
    EXPECT_LT(entry2.count(openIcon, WHITE), openIcon.width() * openIcon.height());
    EXPECT_LT(entry3.count(closedIcon, WHITE), closedIcon.width() * closedIcon.height());
    EXPECT_FALSE(entry2.same_block(openIcon.left, openIcon.top, entry3, closedIcon.left, closedIcon.top,
                                   openIcon.width(), openIcon.height()));
    // The same icon in the same state is drawn alike, so the difference above is the icon's.
    EXPECT_TRUE(entry3.same_block(closedIcon.left, closedIcon.top, entry0, closedIcon.left, closedIcon.top,
                                  closedIcon.width(), closedIcon.height()));

    EXPECT_TRUE(InstalledInto(run, DEFAULT_FOLDER));
}

TEST(LocationPage, TypedFolderGetsTheProductNameUnlessItNamesTheProduct) {
    struct Case {
        const char* typed;
        const char* installed;
    };
    const Case cases[] = {
        {"D:\\Apps", "D:\\Apps\\Sweeplux"},
        {"D:\\Apps\\", "D:\\Apps\\Sweeplux"},
        {"d:\\apps\\sweeplux beta", "d:\\apps\\sweeplux beta"},
        {"D:\\MySweeplux", "D:\\MySweeplux"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        InstallerRun run("location-typed");
        run.set_machine_ini(DRIVES_INI);
        ASSERT_EQ(run.run(std::string(TO_LOCATION) + Retype(c.typed) + CONTINUE_AND_FINISH), 1) << run.output();
        EXPECT_TRUE(InstalledInto(run, c.installed));
        EXPECT_FALSE(InstalledInto(run, DEFAULT_FOLDER));
        EXPECT_FALSE(fs::exists(run.host_path("D:\\Apps\\" + std::string(README))));
        EXPECT_FALSE(fs::exists(run.host_path("D:\\Apps\\Sweeplux\\Sweeplux")));
    }
}

TEST(LocationPage, MalformedFolderWarnsAndThePageStaysOpen) {
    struct Case {
        std::string typed;
        const char* warning;
    };
    const Case cases[] = {
        {"", "Path may not be empty!"},
        {"D:", "Missing : or \\ in drive."},
        {"\\\\server\\share", "Missing : or \\ in drive."},
        {"D:\\", "Path may not be a root drive..."},
        // With the product's name added it would no longer fit the 255 characters of a folder.
        {"D:\\" + std::string(244, 'a'), "Path is too long!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        InstallerRun run("location-warning");
        run.set_machine_ini(DRIVES_INI);
        std::string toWarning = std::string(TO_LOCATION) + Retype(c.typed) + "click \"Continue\"\nwait \"Tarrowin\"\n";

        EXPECT_EQ(run.run(toWarning + "expect #65535 \"(read the warning)\"\n"), 70);
        EXPECT_EQ(WarningText(run.output()), std::string("Path Invalid!\r\n\r\n") + c.warning);

        // After OK the page is back with the text as typed, and a valid folder still goes on.
        ASSERT_EQ(run.run(toWarning + "click \"OK\"\nwait \"Sweeplux Program Location\"\n" +
                          ExpectFolderText(c.typed) + Retype("D:\\Apps") + CONTINUE_AND_FINISH),
                  1)
            << run.output();
        EXPECT_TRUE(InstalledInto(run, "D:\\Apps\\Sweeplux"));
    }
}

TEST(LocationPage, TheComputerListsTheFixedDrivesAndADriveOpensItsRoot) {
    InstallerRun run("location-drives");
    run.set_machine_ini(DRIVES_INI);
    std::string toDrives = std::string(TO_LOCATION) + "dblclick #301 \"My Computer\"\n" +
                           ExpectFolderText("My Computer");
    ASSERT_EQ(run.run(toDrives +
                      "select #301 \"C:\\\"\n"
                      "select #301 \"D:\\\"\n"
                      // The computer's name is no folder.
                      "click \"Continue\"\n"
                      "wait \"Tarrowin\"\n"
                      "click \"OK\"\n"
                      "wait \"Sweeplux Program Location\"\n" +
                      ExpectFolderText("My Computer") +
                      // Double-clicking the computer again keeps the drives.
                      "dblclick #301 \"My Computer\"\n"
                      "select #301 \"D:\\\"\n"
                      "dblclick #301 \"D:\\\"\n" +
                      ExpectFolderText("D:\\") +
                      "select #301 \"My Computer\"\n" + CANCEL_PAGE),
              1)
        << run.output();

    for (const char* notFixed : {"E:\\", "F:\\"}) {
        SCOPED_TRACE(notFixed);
        EXPECT_EQ(run.run(toDrives + "select #301 " + Quoted(notFixed) + "\n"), 70);
        EXPECT_NE(run.output().find(std::string("has no item \"") + notFixed + "\""), std::string::npos)
            << run.output();
    }
}

TEST(LocationPage, MissingColonWarningFollowsTheComputersName) {
    InstallerRun run("location-computer-continue");
    ASSERT_EQ(run.run(std::string(TO_LOCATION) + "dblclick #301 \"My Computer\"\n" +
                      "click \"Continue\"\nwait \"Tarrowin\"\nexpect #65535 \"(read the warning)\"\n"),
              70);
    EXPECT_EQ(WarningText(run.output()), "Path Invalid!\r\n\r\nMissing : or \\ in drive.");
}

TEST(LocationPage, DoubleClicksMoveDownIntoSubfoldersAndUpTheChain) {
    InstallerRun run("location-folders");
    run.set_machine_ini(DRIVES_INI);
    fs::create_directories(run.host_path("C:\\Data\\Sub"));
    fs::create_directories(run.host_path("C:\\Data\\Other"));
    ASSERT_EQ(run.run(std::string(TO_LOCATION) +
                      "dblclick #301 \"C:\\\"\n" + ExpectFolderText("C:\\") +
                      "dblclick #301 \"C:\\Data\"\n" + ExpectFolderText("C:\\Data") +
                      "select #301 \"C:\\Data\\Other\"\n"
                      "dblclick #301 \"C:\\Data\\Sub\"\n" + ExpectFolderText("C:\\Data\\Sub") +
                      // Up the chain and down again.
                      "dblclick #301 \"C:\\\"\n" + ExpectFolderText("C:\\") +
                      "dblclick #301 \"C:\\Data\"\n" +
                      "dblclick #301 \"C:\\Data\\Sub\"\n" + ExpectFolderText("C:\\Data\\Sub") +
                      CONTINUE_AND_FINISH),
              1)
        << run.output();
    EXPECT_TRUE(InstalledInto(run, "C:\\Data\\Sub\\Sweeplux"));
    EXPECT_FALSE(InstalledInto(run, DEFAULT_FOLDER));
}

TEST(LocationPage, FoldersWhoseNameBeginsWithADotAreNotListed) {
    InstallerRun run("location-dot-folder");
    fs::create_directories(run.host_path("C:\\Orvane Tinkerware\\Sweeplux\\Plugins"));
    fs::create_directories(run.host_path("C:\\Orvane Tinkerware\\Sweeplux\\.hidden"));
    std::string listed = std::string(TO_LOCATION) + "select #301 \"C:\\Orvane Tinkerware\\Sweeplux\\Plugins\"\n";
    ASSERT_EQ(run.run(listed + CANCEL_PAGE), 1) << run.output();
    EXPECT_EQ(run.run(listed + "select #301 \"C:\\Orvane Tinkerware\\Sweeplux\\.hidden\"\n"), 70);
    EXPECT_NE(run.output().find("has no item \"C:\\Orvane Tinkerware\\Sweeplux\\.hidden\""), std::string::npos)
        << run.output();
}

TEST(LocationPage, ResetFolderRestoresTheProposalOnlyAfterBrowsing) {
    struct Case {
        const char* name;
        std::string change;
        std::string afterReset;
    };
    const Case cases[] = {
        {"browsed up", "dblclick #301 \"C:\\\"\n" + ExpectFolderText("C:\\"), DEFAULT_FOLDER},
        {"browsed to the drives", "dblclick #301 \"My Computer\"\n" + ExpectFolderText("My Computer"),
         DEFAULT_FOLDER},
        // Typing alone leaves the folder the proposal, so there is nothing to reset.
        {"typed", Retype("D:\\Typed"), "D:\\Typed"},
        // Nor does a refused folder change it.
        {"refused", Retype("D:") + "click \"Continue\"\nwait \"Tarrowin\"\nclick \"OK\"\nwait \"Sweeplux Program Location\"\n",
         "D:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallerRun run("location-reset");
        ASSERT_EQ(run.run(std::string(TO_LOCATION) + c.change + "click \"Reset Folder\"\n" +
                          ExpectFolderText(c.afterReset) + CANCEL_PAGE),
                  1)
            << run.output();
    }
}

TEST(LocationPage, ResetAfterBrowsingShowsTheProposalsChainAgain) {
    InstallerRun run("location-reset-chain");
    ASSERT_EQ(run.run(std::string(TO_LOCATION) + "shot \"start.png\"\n" +
                      "dblclick #301 \"My Computer\"\n"
                      "click \"Reset Folder\"\n" +
                      ExpectFolderText(DEFAULT_FOLDER) + "shot \"reset.png\"\n" + CONTINUE_AND_FINISH),
              1)
        << run.output();
    Screenshot start(run.folder() / "start.png");
    Screenshot reset(run.folder() / "reset.png");
    PixelBox before = SelectedEntry(start);
    PixelBox after = SelectedEntry(reset);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_TRUE(InstalledInto(run, DEFAULT_FOLDER));
}

TEST(LocationPage, TheRecordedFolderIsProposedOnTheNextRun) {
    InstallerRun run("location-recorded");
    run.set_machine_ini(DRIVES_INI);
    ASSERT_EQ(run.run(std::string(TO_LOCATION) + Retype("D:\\Apps") + CONTINUE_AND_FINISH), 1) << run.output();
    ASSERT_TRUE(InstalledInto(run, "D:\\Apps\\Sweeplux"));

    ASSERT_EQ(run.run(std::string(TO_LOCATION) + ExpectFolderText("D:\\Apps\\Sweeplux") +
                      "select #301 \"D:\\Apps\"\n"
                      // Browsing away and resetting comes back to the recorded folder.
                      "dblclick #301 \"D:\\\"\n"
                      "click \"Reset Folder\"\n" +
                      ExpectFolderText("D:\\Apps\\Sweeplux") + CANCEL_PAGE),
              1)
        << run.output();
}

TEST(LocationPage, TypedTextStaysUntilTheFolderChanges) {
    struct Case {
        const char* name;
        std::string action;
        std::string edit;
    };
    const Case cases[] = {
        {"single click", "select #301 \"C:\\\"\n", "D:\\Typed"},
        {"double-click on the current folder", "dblclick #301 \"C:\\Orvane Tinkerware\\Sweeplux\"\n", "D:\\Typed"},
        {"double-click on the computer while the drives are shown",
         "dblclick #301 \"My Computer\"\n" + Retype("D:\\Typed") + "dblclick #301 \"My Computer\"\n", "D:\\Typed"},
        {"double-click on a folder above", "dblclick #301 \"C:\\Orvane Tinkerware\"\n", "C:\\Orvane Tinkerware"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallerRun run("location-typed-stays");
        ASSERT_EQ(run.run(std::string(TO_LOCATION) + Retype("D:\\Typed") + c.action + ExpectFolderText(c.edit) +
                          CANCEL_PAGE),
                  1)
            << run.output();
    }
}

// A machine whose registry records this folder for the product, as an earlier installation
// would have left it.
void RecordFolder(InstallerRun& run, const std::string& folder) {
    std::string escaped;
    for (char c : folder) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    std::ofstream(run.machine() / "system.reg")
        << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Orvane Tinkerware]\n\"Sweeplux\"=\"" << escaped << "\"\n";
}

TEST(LocationPage, ARecordedFolderIsProposedOnlyWhenItFitsAFolder) {
    struct Case {
        const char* name;
        std::string recorded;
        std::string proposed;
    };
    const std::string fits = "D:\\" + std::string(243, 'a') + "\\Sweeplux";
    const std::string tooLong = "D:\\" + std::string(244, 'a') + "\\Sweeplux";
    const Case cases[] = {
        {"as recorded, case and all", "d:\\tools\\sweeplux", "d:\\tools\\sweeplux"},
        {"255 characters", fits, fits},
        {"256 characters", tooLong, DEFAULT_FOLDER},
        {"beyond the registry buffer", "D:\\" + std::string(300, 'b'), DEFAULT_FOLDER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallerRun run("location-recorded-forms");
        run.set_machine_ini(DRIVES_INI);
        RecordFolder(run, c.recorded);
        ASSERT_EQ(run.run(std::string(TO_LOCATION) + ExpectFolderText(c.proposed) + CANCEL_PAGE), 1) << run.output();
    }
}

TEST(LocationPage, AFolderWithMoreSubfoldersThanTheListHoldsCanStillBeBrowsed) {
    InstallerRun run("location-many");
    for (int i = 0; i < 600; ++i) fs::create_directories(run.host_path("C:\\Many\\f" + std::to_string(1000 + i)));
    ASSERT_EQ(run.run(std::string(TO_LOCATION) +
                      "dblclick #301 \"C:\\\"\n"
                      "dblclick #301 \"C:\\Many\"\n" + ExpectFolderText("C:\\Many") +
                      "dblclick #301 \"C:\\\"\n" + ExpectFolderText("C:\\") +
                      "dblclick #301 \"C:\\Many\"\n" + CONTINUE_AND_FINISH),
              1)
        << run.output();
    EXPECT_TRUE(InstalledInto(run, "C:\\Many\\Sweeplux"));
}
