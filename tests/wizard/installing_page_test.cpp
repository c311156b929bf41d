// The installing page: its counters and two-coloured percent bar while the files are written,
// the files it leaves behind, and a destination that cannot be created.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "installer_run.h"
#include "screenshot.h"
#include "wizard_scripts.h"

namespace fs = std::filesystem;

namespace {

const std::uint32_t NAVY = 0x000080;
const std::uint32_t DARK_BLUE = 0x000040;
const std::uint32_t WHITE = 0xFFFFFF;
const std::uint32_t BUTTON_FACE = 0xC0C0C0;
const std::uint32_t BLACK = 0x000000;

const char* const TO_INSTALLING_PAGE = SCRIPT_TO_INSTALLING_PAGE;

// Leaves the run at the group page by Escape and the abort box.
const char* const ESCAPE_AT_GROUP_PAGE =
    "wait \"Sweeplux Program Group\"\n"
    "key Escape\n"
    "wait \"Tarrowin\"\n"
    "click \"OK\"\n";

struct PayloadFile {
    const char* name;
    const char* folder;
    long size;
};

// In installation order.
const PayloadFile PAYLOAD[] = {
    {"Swxremov.exe", "C:\\WINDOWS", 49152},
    {"Swxupdt.exe", "C:\\Orvane Tinkerware\\Sweeplux", 57344},
    {"Sweeplux.exe", "C:\\Orvane Tinkerware\\Sweeplux", 258048},
    {"Sweeplux.hlp", "C:\\Orvane Tinkerware\\Sweeplux", 47306},
    {"Swxguide.txt", "C:\\Orvane Tinkerware\\Sweeplux", 3668},
    {"Swxplugs.dat", "C:\\Orvane Tinkerware\\Sweeplux", 546546},
    {"Swxbuy.txt", "C:\\Orvane Tinkerware\\Sweeplux", 1679},
    {"Swxinfo.txt", "C:\\Orvane Tinkerware\\Sweeplux", 1060},
};
const long TOTAL_BYTES = 964803;
const char* const PROGRAMS_FOLDER = "C:\\Documents and Settings\\Owner\\Start Menu\\Programs";

long BytesBeforeFile(int index) {
    long sum = 0;
    for (int i = 0; i < index; ++i) sum += PAYLOAD[i].size;
    return sum;
}

std::string WithThousands(long value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
}

// The bar's client area, found from the dark-blue "0%" of a shot taken before any progress:
// the button-coloured ground around the text runs up to the sunken border.
PixelBox FindBarClient(const Screenshot& shot) {
    PixelBox text = shot.bounds_of(PixelBox{0, 0, shot.width(), shot.height()}, DARK_BLUE);
    if (text.empty()) return text;
    int row = text.top - 1;
    int column = text.left - 1;
    PixelBox bar{column, row, column + 1, row + 1};
    while (bar.left > 0 && shot.at(bar.left - 1, row) == BUTTON_FACE) --bar.left;
    while (bar.right < shot.width() && shot.at(bar.right, row) == BUTTON_FACE) ++bar.right;
    while (bar.top > 0 && shot.at(column, bar.top - 1) == BUTTON_FACE) --bar.top;
    while (bar.bottom < shot.height() && shot.at(column, bar.bottom) == BUTTON_FACE) ++bar.bottom;
    return bar;
}

int Area(const PixelBox& box) { return box.empty() ? 0 : box.width() * box.height(); }

// The bar at this half-percent: navy with white text up to the split, button face with
// dark-blue text after it, and nothing else; answers the text pixels of either colour.
int ExpectBarAt(const Screenshot& shot, const PixelBox& bar, int halfPercent) {
    int split = bar.left + bar.width() * halfPercent / 200;
    PixelBox done{bar.left, bar.top, split, bar.bottom};
    PixelBox rest{split, bar.top, bar.right, bar.bottom};
    EXPECT_EQ(shot.count(done, NAVY) + shot.count(done, WHITE), Area(done)) << "half-percent " << halfPercent;
    EXPECT_EQ(shot.count(rest, BUTTON_FACE) + shot.count(rest, DARK_BLUE), Area(rest))
        << "half-percent " << halfPercent;
    if (!done.empty()) {
        EXPECT_GT(shot.count(done, NAVY), Area(done) / 2) << "half-percent " << halfPercent;
    }
    return shot.count(done, WHITE) + shot.count(rest, DARK_BLUE);
}

// The split a shot shows: the first column of the bar's top row that is not navy.
int SplitOf(const Screenshot& shot, const PixelBox& bar) {
    int x = bar.left;
    while (x < bar.right && shot.at(x, bar.top) == NAVY) ++x;
    return x;
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Equal and not both missing.
bool SameBytes(const fs::path& a, const fs::path& b) { return fs::exists(a) && Contents(a) == Contents(b); }

}  // namespace

TEST(InstallingPage, CountersFollowEachFileAndEndOnTheTotals) {
    InstallerRun run("installing-counters");
    std::string script = TO_INSTALLING_PAGE;
    // Each file is announced, with the bytes of the files before it counted, before it is written.
    for (int i = 0; i < 8; ++i) {
        std::string number = std::to_string(i + 1);
        std::string destination = std::string(i == 0 ? "C:\\Windows" : PAYLOAD[i].folder) + "\\" + PAYLOAD[i].name;
        script += "expect #404 \"" + number + "\"\n";
        script += "expect #400 \"" + destination + "\"\n";
        script += "expect #401 \"964,803\"\n";
        script += "expect #403 \"8\"\n";
        if (i > 0) script += "expect #402 \"" + WithThousands(BytesBeforeFile(i)) + "\"\n";
        // Still the same file: the counters above were shown together.
        script += "expect #404 \"" + number + "\"\n";
    }
    script +=
        "expect #402 \"964,803\"\n"
        "expect #404 \"8\"\n"
        "expect #400 \"C:\\Orvane Tinkerware\\Sweeplux\\Swxinfo.txt\"\n";
    script += ESCAPE_AT_GROUP_PAGE;
    EXPECT_EQ(run.run(script), 1) << run.output();
}

TEST(InstallingPage, PercentBarGrowsInNavyUnderItsCentredPercentage) {
    InstallerRun run("installing-bar");
    auto pause_before = [](int file) {
        return "expect #404 \"" + std::to_string(file) + "\"\n" + "expect #402 \"" +
               WithThousands(BytesBeforeFile(file - 1)) + "\"\n" + "shot \"file" + std::to_string(file) +
               ".png\"\n";
    };
    // The pauses before files 2, 4 and 7 show the bytes of the earlier files; halfway through
    // Swxplugs.dat the bar's edge runs through the "50%".
    std::string script = std::string(TO_INSTALLING_PAGE) + "shot \"start.png\"\n" + pause_before(2) +
                         pause_before(4) + "expect #404 \"6\"\nexpect #402 \"482,078\"\nshot \"half.png\"\n" +
                         pause_before(7) + "expect #402 \"964,803\"\n" +
                         // The finished page stays in view for a second.
                         "sleep 900\nexpect #404 \"8\"\nshot \"full.png\"\n" + ESCAPE_AT_GROUP_PAGE;
    ASSERT_EQ(run.run(script), 1) << run.output();

    Screenshot start(run.folder() / "start.png");
    ASSERT_TRUE(start.loaded());
    PixelBox bar = FindBarClient(start);
    ASSERT_FALSE(bar.empty());
    ASSERT_GT(bar.width(), 200);
    ASSERT_GT(bar.height(), 10);

    // 0%: no navy at all, the dark-blue text centred on the button face.
    EXPECT_EQ(start.count(bar, NAVY), 0);
    EXPECT_GT(ExpectBarAt(start, bar, 0), 10);
    PixelBox text = start.bounds_of(bar, DARK_BLUE);
    EXPECT_LE(std::abs((text.left + text.right) - (bar.left + bar.right)), 4);
    EXPECT_LE(std::abs((text.top + text.bottom) - (bar.top + bar.bottom)), 4);

    for (int file : {2, 4, 7}) {
        SCOPED_TRACE("before file " + std::to_string(file));
        Screenshot shot(run.folder() / ("file" + std::to_string(file) + ".png"));
        ASSERT_TRUE(shot.loaded());
        int halfPercent = static_cast<int>(BytesBeforeFile(file - 1) * 200 / TOTAL_BYTES);
        EXPECT_GT(ExpectBarAt(shot, bar, halfPercent), 10);
    }
    // At 99% the text lies wholly under the bar: white, no dark blue left.
    Screenshot nearly(run.folder() / "file7.png");
    EXPECT_GT(nearly.count(bar, WHITE), 10);
    EXPECT_EQ(nearly.count(bar, DARK_BLUE), 0);

    Screenshot half(run.folder() / "half.png");
    ASSERT_TRUE(half.loaded());
    int split = SplitOf(half, bar);
    int halfPercent = 95;
    while (halfPercent < 105 && bar.left + bar.width() * halfPercent / 200 != split) ++halfPercent;
    ASSERT_LT(halfPercent, 105) << "the split at " << split - bar.left << " of " << bar.width()
                                << " is no half-percent near 50%";
    ExpectBarAt(half, bar, halfPercent);
    // The edge crosses the text: white on its left, dark blue on its right.
    EXPECT_GT(half.count(PixelBox{bar.left, bar.top, split, bar.bottom}, WHITE), 3);
    EXPECT_GT(half.count(PixelBox{split, bar.top, bar.right, bar.bottom}, DARK_BLUE), 3);

    Screenshot full(run.folder() / "full.png");
    ASSERT_TRUE(full.loaded());
    EXPECT_EQ(full.count(bar, NAVY) + full.count(bar, WHITE), Area(bar));
    EXPECT_GT(full.count(bar, WHITE), 10);
    PixelBox white = full.bounds_of(bar, WHITE);
    EXPECT_LE(std::abs((white.left + white.right) - (bar.left + bar.right)), 4);

    // The footer below the bar: navy text on the window colour and nothing else inside it.
    PixelBox footer = full.bounds_of(PixelBox{bar.left, bar.bottom + 3, bar.right, bar.top + 84}, WHITE);
    ASSERT_GT(footer.height(), 30);
    EXPECT_GT(full.count(footer, NAVY), 100);
    EXPECT_EQ(full.count(footer, NAVY) + full.count(footer, WHITE), Area(footer));
    // Above the bar: the counters in navy, their labels in the system's black.
    PixelBox counters{bar.left, bar.top - 55, bar.right, bar.top - 5};
    EXPECT_GT(full.count(counters, NAVY), 50);
    EXPECT_GT(full.count(counters, BLACK), 50);
}

TEST(InstallingPage, WritesEveryFileWithItsBytesAndTheManifestTime) {
    InstallerRun run("installing-files");
    // A zone without summer time, half an hour off the hour: the stamp is local time.
    run.add_environment("TZ=Asia/Kolkata");
    ASSERT_EQ(run.run(std::string(TO_INSTALLING_PAGE) + ESCAPE_AT_GROUP_PAGE), 1) << run.output();

    std::tm local{};
    local.tm_year = 2005 - 1900;
    local.tm_mon = 10;
    local.tm_mday = 28;
    local.tm_hour = 3;
    local.tm_min = 6;
    const std::time_t stamp = timegm(&local) - (5 * 3600 + 30 * 60);
    for (const PayloadFile& file : PAYLOAD) {
        SCOPED_TRACE(file.name);
        fs::path installed = run.host_path(std::string(file.folder) + "\\" + file.name);
        ASSERT_TRUE(fs::is_regular_file(installed));
        // The times first: reading the bytes would move the access time.
        struct stat status {};
        ASSERT_EQ(stat(installed.c_str(), &status), 0);
        EXPECT_EQ(status.st_mtim.tv_sec, stamp);
        EXPECT_EQ(status.st_atim.tv_sec, stamp);
        EXPECT_EQ(static_cast<long>(status.st_size), file.size);
        EXPECT_TRUE(SameBytes(installed, fs::path(TARROWIN_SOURCE_DIR "/resources/payload") / file.name));
    }
    // Nothing but the product's files in its folder.
    int count = 0;
    for (const auto& entry : fs::directory_iterator(run.host_path("C:\\Orvane Tinkerware\\Sweeplux"))) {
        (void)entry;
        ++count;
    }
    EXPECT_EQ(count, 7);
}

TEST(InstallingPage, DestinationThatCannotBeCreatedGivesTheErrorThenTheAbortBox) {
    InstallerRun run("installing-readonly");
    // A read-only Swxplugs.dat from an earlier run: the clean-out keeps .DAT files, and
    // writing over a read-only file is refused.
    fs::path blocked = run.host_path("C:\\Orvane Tinkerware\\Sweeplux\\Swxplugs.dat");
    fs::create_directories(blocked.parent_path());
    std::ofstream(blocked) << "old";
    fs::permissions(blocked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    int code = run.run(std::string(TO_INSTALLING_PAGE) +
                       "expect #404 \"6\"\n"
                       "wait \"Tarrowin\"\n"
                       "click \"OK\"\n"
                       "wait \"Tarrowin\"\n"
                       "click \"OK\"\n");
    EXPECT_EQ(code, 1) << run.output();
    EXPECT_TRUE(Contents(blocked) == "old") << "the read-only file was replaced";
    // Nothing is rolled back, and nothing after the failed file is written.
    EXPECT_TRUE(SameBytes(run.host_path("C:\\WINDOWS\\Swxremov.exe"),
                          fs::path(TARROWIN_SOURCE_DIR "/resources/payload/Swxremov.exe")));
    EXPECT_TRUE(fs::exists(run.host_path("C:\\Orvane Tinkerware\\Sweeplux\\Swxguide.txt")));
    EXPECT_FALSE(fs::exists(run.host_path("C:\\Orvane Tinkerware\\Sweeplux\\Swxbuy.txt")));
    EXPECT_FALSE(fs::exists(run.host_path(std::string(PROGRAMS_FOLDER) + "\\Sweeplux")));
}
