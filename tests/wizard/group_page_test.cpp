// The program group page and the shortcut page it runs: which group the shortcuts go into, the
// links themselves as an independent reader sees them, and the ways the page ends early.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "../shell/lnkinfo_reader.h"
#include "installer_run.h"
#include "screenshot.h"
#include "wizard_scripts.h"

namespace fs = std::filesystem;

namespace {

const std::uint32_t WHITE = 0xFFFFFF;
const std::uint32_t LINE = 0xF8F8FF;
const std::uint32_t HIGHLIGHT = 0x000080;
const std::uint32_t SHADOW = 0x808080;
const std::uint32_t BLACK = 0x000000;

const char* const PROGRAMS = "C:\\Documents and Settings\\Owner\\Start Menu\\Programs";

const char* const TO_GROUP_PAGE =
    SCRIPT_TO_LOCATION_PAGE
    "click \"Continue\"\n"
    "wait \"Sweeplux Program Group\"\n";

// From Continue on the group page to the end: the shortcut page, the read-me offer, the farewell.
const char* const CONTINUE_TO_FAREWELL =
    "click \"Continue\"\n"
    "wait \"Creating Sweeplux Shortcuts\"\n"
    "expect #600 \"Read Me\"\n"
    "wait \"Tarrowin\"\n"
    "click \"No\"\n"
    "wait \"Tarrowin\"\n"
    "click \"OK\"\n";

// Continue is the first tab stop; two tabs reach the group field with its text selected.
const char* const INTO_GROUP_FIELD = "key Tab\nkey Tab\n";

fs::path ProgramsFolder(const InstallerRun& run) { return run.host_path(PROGRAMS); }

// A value of the product's uninstall entry in system.reg, unescaped; "<missing>" if absent.
std::string UninstallValue(const InstallerRun& run, const std::string& name) {
    std::istringstream lines(run.read_file(run.machine() / "system.reg"));
    const std::string section =
        "[hkey_local_machine\\software\\microsoft\\windows\\currentversion\\uninstall\\sweeplux]";
    const std::string prefix = "\"" + name + "\"=\"";
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            std::string lower;
            for (char c : line) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            inside = lower == section;
            continue;
        }
        if (!inside || line.rfind(prefix, 0) != 0 || line.back() != '"') continue;
        std::string value;
        for (std::size_t i = prefix.size(); i + 1 < line.size(); ++i) {
            if (line[i] == '\\' && i + 2 < line.size()) ++i;
            value += line[i];
        }
        return value;
    }
    return "<missing>";
}

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) names.insert(entry.path().filename().string());
    return names;
}

// The five links of the example build in the group folder, each read back independently.
void ExpectFiveShortcuts(const fs::path& group) {
    struct Link {
        const char* file;
        const char* target;
        const char* folder;
        const char* description;
    };
    const char* const program = "C:\\Orvane Tinkerware\\Sweeplux";
    const Link links[] = {
        {"Uninstall.lnk", "C:\\Windows\\Swxremov.exe", "C:\\Windows", "Uninstall"},
        {"Update.lnk", "C:\\Orvane Tinkerware\\Sweeplux\\Swxupdt.exe", program, "Update"},
        {"Sweeplux.lnk", "C:\\Orvane Tinkerware\\Sweeplux\\Sweeplux.exe", program, "Sweeplux"},
        {"Help.lnk", "C:\\Orvane Tinkerware\\Sweeplux\\Sweeplux.hlp", program, "Help"},
        {"Read Me.lnk", "C:\\Orvane Tinkerware\\Sweeplux\\Swxguide.txt", program, "Read Me"},
    };
    for (const Link& link : links) {
        SCOPED_TRACE(link.file);
        LnkInfo info = run_lnkinfo(group / link.file);
        ASSERT_TRUE(info.ok) << info.output;
        EXPECT_EQ(info.field("Local path"), link.target) << info.output;
        EXPECT_EQ(info.field("Working directory"), link.folder) << info.output;
        EXPECT_EQ(info.field("Description"), link.description) << info.output;
    }
}

const std::set<std::string> FIVE_LINKS = {"Uninstall.lnk", "Update.lnk", "Sweeplux.lnk", "Help.lnk",
                                          "Read Me.lnk"};

// The pages' outline on the backdrop's work area, above the tagline.
PixelBox PagesOnWorkArea(const Screenshot& shot) {
    int aboveTagline = shot.height() - shot.height() / 18 - 20;
    return shot.bounds_without(PixelBox{150, 60, shot.width(), aboveTagline}, {WHITE, LINE});
}

// Highlighted pixels in the group list, below the field, left of the buttons.
int HighlightInGroupList(const Screenshot& shot) {
    PixelBox page = PagesOnWorkArea(shot);
    if (page.empty()) return -1;
    return shot.count(PixelBox{page.left + 145, page.top + 90, page.left + 330, page.bottom - 10}, HIGHLIGHT);
}

// The inside of the group page's Continue button, where its caption is drawn.
PixelBox ContinueButtonFace(const Screenshot& shot) {
    PixelBox page = PagesOnWorkArea(shot);
    return PixelBox{page.right - 84, page.top + 31, page.right - 14, page.top + 47};
}

// Where the shortcut page's bar has grown between two shots: navy now that was not before.
PixelBox GrownBetween(const Screenshot& before, const Screenshot& after) {
    PixelBox grown{after.width(), after.height(), 0, 0};
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (after.at(x, y) == HIGHLIGHT && before.at(x, y) != HIGHLIGHT) {
                grown.left = std::min(grown.left, x);
                grown.top = std::min(grown.top, y);
                grown.right = std::max(grown.right, x + 1);
                grown.bottom = std::max(grown.bottom, y + 1);
            }
    return grown;
}

}  // namespace

TEST(GroupPage, TheChosenGroupReceivesTheShortcutsAndIsRecorded) {
    const std::string longName = "Orvane Tinkerware Sweeplux Cleaning Tools 2005";
    const std::string cut = longName.substr(0, 40);
    struct Case {
        const char* what;
        std::string actions;
        std::string group;
    };
    const Case cases[] = {
        {"unchanged", "expect #500 \"Sweeplux\"\n", "Sweeplux"},
        // Enter sends a command the page ignores: it is still there for the expect.
        {"Enter in the field", std::string(INTO_GROUP_FIELD) + "key Enter\nexpect #500 \"Sweeplux\"\n", "Sweeplux"},
        {"existing group selected", "select #500 \"Startup\"\nexpect #500 \"Startup\"\n", "Startup"},
        {"typed name cut to 40", std::string(INTO_GROUP_FIELD) + "type \"" + longName + "\"\nexpect #500 \"" + cut + "\"\n",
         cut},
        {"typed over, then Reset Group",
         std::string(INTO_GROUP_FIELD) + "type \"Other\"\nexpect #500 \"Other\"\nclick \"Reset Group\"\nexpect #500 \"Sweeplux\"\n",
         "Sweeplux"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallerRun run("group-choice");
        ASSERT_EQ(run.run(std::string(TO_GROUP_PAGE) + c.actions + CONTINUE_TO_FAREWELL), 1) << run.output();
        fs::path group = ProgramsFolder(run) / c.group;
        // The default machine's Startup group starts empty.
        EXPECT_EQ(FilesIn(group), FIVE_LINKS);
        ExpectFiveShortcuts(group);
        EXPECT_EQ(UninstallValue(run, "Program Group"), c.group);
        if (c.group != "Sweeplux") {
            EXPECT_FALSE(fs::exists(ProgramsFolder(run) / "Sweeplux"));
        }
    }
}

TEST(ShortcutPage, NamesEachShortcutWhileItsBarFills) {
    InstallerRun run("shortcut-page");
    int code = run.run(std::string(TO_GROUP_PAGE) +
                       "shot \"group.png\"\n"
                       "click \"Continue\"\n"
                       "wait \"Creating Sweeplux Shortcuts\"\n"
                       "expect #600 \"Uninstall\"\n"
                       "shot \"first.png\"\n"
                       "expect #600 \"Update\"\n"
                       "expect #600 \"Sweeplux\"\n"
                       "expect #600 \"Help\"\n"
                       "expect #600 \"Read Me\"\n"
                       "shot \"last.png\"\n"
                       "wait \"Tarrowin\"\n"
                       "click \"No\"\n"
                       "wait \"Tarrowin\"\n"
                       "click \"OK\"\n");
    ASSERT_EQ(code, 1) << run.output();
    // The bar steps after each shortcut: a fifth after the first, full after the last. Its
    // fill starts inside the sunken border left of where it grew.
    Screenshot first(run.folder() / "first.png");
    Screenshot last(run.folder() / "last.png");
    ASSERT_TRUE(first.loaded() && last.loaded());
    PixelBox grown = GrownBetween(first, last);
    ASSERT_FALSE(grown.empty());
    int row = grown.top + grown.height() / 2;
    int border = grown.left - 1;
    while (border > 0 && first.at(border, row) != SHADOW) --border;
    int start = border + 1;
    EXPECT_GT(first.count(PixelBox{start, grown.top, grown.left, grown.bottom}, HIGHLIGHT), 0);
    EXPECT_NEAR(static_cast<double>(grown.left - start) / (grown.right - start), 0.2, 0.06);
    // Continue, in the group page's top right corner, is greyed while the shortcuts are made.
    Screenshot group(run.folder() / "group.png");
    ASSERT_TRUE(group.loaded());
    PixelBox continueText = ContinueButtonFace(group);
    EXPECT_GT(group.count(continueText, BLACK), 20);
    EXPECT_EQ(first.count(continueText, BLACK), 0);
    EXPECT_GT(first.count(continueText, SHADOW), 20);
    // Full: no more than a block's gap is left before the bar's white right border.
    int right = grown.right;
    while (right < last.width() && last.at(right, row) != WHITE) ++right;
    EXPECT_LE(right - grown.right, 10);
}

TEST(GroupPage, AnExistingGroupOfTheProductNameIsSelectedWhateverItsCase) {
    InstallerRun run("group-existing");
    fs::path existing = ProgramsFolder(run) / "sweeplux";
    fs::create_directories(existing);
    std::ofstream(existing / "Help.lnk") << "not a link";
    std::ofstream(existing / "Notes.txt") << "kept";
    int code = run.run(std::string(TO_GROUP_PAGE) + "expect #500 \"Sweeplux\"\nshot \"group.png\"\n" +
                       CONTINUE_TO_FAREWELL);
    ASSERT_EQ(code, 1) << run.output();
    EXPECT_GT(HighlightInGroupList(Screenshot(run.folder() / "group.png")), 100);

    // The folder keeps its spelling and its other files; the old Help.lnk is replaced.
    std::set<std::string> groups = FilesIn(ProgramsFolder(run));
    EXPECT_EQ(groups.count("sweeplux"), 1u);
    EXPECT_EQ(groups.count("Sweeplux"), 0u);
    std::set<std::string> expected = FIVE_LINKS;
    expected.insert("Notes.txt");
    EXPECT_EQ(FilesIn(existing), expected);
    EXPECT_EQ(run.read_file(existing / "Notes.txt"), "kept");
    ExpectFiveShortcuts(existing);
}

TEST(GroupPage, WithoutAGroupOfThatNameNothingIsSelected) {
    InstallerRun run("group-none-selected");
    int code = run.run(std::string(TO_GROUP_PAGE) + "shot \"group.png\"\nkey Escape\nwait \"Tarrowin\"\nclick \"OK\"\n");
    ASSERT_EQ(code, 1) << run.output();
    EXPECT_EQ(HighlightInGroupList(Screenshot(run.folder() / "group.png")), 0);
}

TEST(GroupPage, AnEmptyGroupIsRefusedAndThePageStays) {
    InstallerRun run("group-empty");
    int code = run.run(std::string(TO_GROUP_PAGE) + INTO_GROUP_FIELD +
                       "key Delete\n"
                       "expect #500 \"\"\n"
                       "click \"Continue\"\n"
                       "wait \"Tarrowin\"\n"
                       "expect #65535 \"Group may not be empty!\"\n"
                       "click \"OK\"\n"
                       "wait \"Sweeplux Program Group\"\n"
                       "expect #500 \"\"\n" +
                       INTO_GROUP_FIELD + "type \"Mine\"\n" + CONTINUE_TO_FAREWELL);
    ASSERT_EQ(code, 1) << run.output();
    EXPECT_EQ(FilesIn(ProgramsFolder(run) / "Mine"), FIVE_LINKS);
    EXPECT_EQ(UninstallValue(run, "Program Group"), "Mine");
}

TEST(GroupPage, UnusualGroupNamesStillEndTheRunNormally) {
    struct Case {
        const char* name;
        bool nested;
    };
    // Blanks are not empty; a nested group whose parent is missing gets no shortcuts.
    for (const Case& c : {Case{"   ", false}, Case{"Missing\\Sub", true}}) {
        SCOPED_TRACE(std::string("[") + c.name + "]");
        InstallerRun run("group-unusual");
        int code = run.run(std::string(TO_GROUP_PAGE) + INTO_GROUP_FIELD + "type \"" + c.name +
                           "\"\nexpect #500 \"" + c.name + "\"\n" + CONTINUE_TO_FAREWELL);
        ASSERT_EQ(code, 1) << run.output();
        EXPECT_EQ(UninstallValue(run, "Program Group"), c.name);
        if (c.nested) {
            EXPECT_FALSE(fs::exists(ProgramsFolder(run) / "Missing"));
            EXPECT_EQ(FilesIn(ProgramsFolder(run)), (std::set<std::string>{"Accessories", "Startup"}));
        }
    }
}

TEST(GroupPage, EscapeAbortsWithTheFilesInstalledAndNoShortcuts) {
    InstallerRun run("group-escape");
    int code = run.run(std::string(TO_GROUP_PAGE) + "key Escape\nwait \"Tarrowin\"\nclick \"OK\"\n");
    ASSERT_EQ(code, 1) << run.output();
    EXPECT_TRUE(fs::exists(run.host_path("C:\\Orvane Tinkerware\\Sweeplux\\Sweeplux.exe")));
    EXPECT_FALSE(fs::exists(ProgramsFolder(run) / "Sweeplux"));
    EXPECT_EQ(UninstallValue(run, "Program Group"), "<missing>");
}

TEST(GroupPage, AMissingStartMenuIsReportedAndAborts) {
    InstallerRun run("group-no-start-menu");
    // A Start Menu on a floppy drive without a disk.
    run.set_machine_ini("[machine]\nprograms = A:\\Programs\n[drives]\nA = removable\nC = fixed\n");
    int code = run.run(
        SCRIPT_TO_INSTALLING_PAGE
        "wait \"Tarrowin\"\n"
        "expect #65535 \"Unable to locate the Start Menu!\"\n"
        "click \"OK\"\n"
        "wait \"Tarrowin\"\n"
        "click \"OK\"\n");
    ASSERT_EQ(code, 1) << run.output();
    EXPECT_TRUE(fs::exists(run.host_path("C:\\Orvane Tinkerware\\Sweeplux\\Swxinfo.txt")));
    EXPECT_TRUE(fs::exists(run.host_path("C:\\WINDOWS\\Swxremov.exe")));
    EXPECT_FALSE(fs::exists(run.host_path("C:\\Sweeplux")));
    EXPECT_EQ(UninstallValue(run, "Program Group"), "<missing>");
}
