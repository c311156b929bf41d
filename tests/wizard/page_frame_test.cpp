// Where the pages land on the screen, and the licence page's layout when it is resized.
#include <gtest/gtest.h>

#include "installer_run.h"
#include "screenshot.h"
#include "wizard_scripts.h"

namespace {

const std::uint32_t WHITE = 0xFFFFFF;
const std::uint32_t LINE = 0xF8F8FF;
const std::uint32_t DESKTOP = 0x008080;

// The licence page's outline on the work area; the rows probed stop above the tagline, whose
// cell is a eighteenth of the screen high and ends 16 pixels above the bottom.
PixelBox PageOnWorkArea(const Screenshot& shot) {
    int aboveTagline = shot.height() - shot.height() / 18 - 20;
    return shot.bounds_without(PixelBox{150, 60, shot.width(), aboveTagline}, {WHITE, LINE});
}

const char* const TO_LICENCE = SCRIPT_TO_LICENCE_PAGE;

}  // namespace

TEST(PageFrame, PagesAreCentredOnTheScreenOrRightOfThePanel) {
    struct Case {
        const char* screen;
        int width;
        int height;
    };
    for (const Case& c : {Case{"1024x768", 1024, 768}, Case{"800x600", 800, 600}}) {
        SCOPED_TRACE(c.screen);
        InstallerRun run("page-positions");
        run.set_screen(c.screen);
        int code = run.run(std::string("wait \"Tarrowin\"\nshot \"welcome.png\"\n") +
                           "click \"Continue\"\n"
                           "wait \"Sweeplux License Agreement\"\n"
                           "shot \"licence.png\"\n"
                           "key Escape\n");
        ASSERT_EQ(code, 1) << run.output();

        Screenshot welcome(run.folder() / "welcome.png");
        PixelBox box = welcome.bounds_without(PixelBox{0, 0, c.width, c.height}, {DESKTOP});
        ASSERT_FALSE(box.empty());
        EXPECT_EQ(box.left, (c.width - box.width()) / 2);
        EXPECT_EQ(box.top, (c.height - box.height()) / 2);

        Screenshot licence(run.folder() / "licence.png");
        PixelBox page = PageOnWorkArea(licence);
        ASSERT_FALSE(page.empty());
        EXPECT_EQ(page.left, (c.width + 150 - page.width()) / 2);
        EXPECT_EQ(page.top, (c.height - page.height()) / 2);
    }
}

TEST(PageFrame, LicencePageKeepsItsButtonsInTheCornerWhenResized) {
    InstallerRun run("licence-resize");
    // Find the page first, then drag its bottom-right corner out and back.
    ASSERT_EQ(run.run(std::string(TO_LICENCE) + "shot \"before.png\"\nkey Escape\n"), 1) << run.output();
    Screenshot before(run.folder() / "before.png");
    PixelBox page = PageOnWorkArea(before);
    ASSERT_FALSE(page.empty());
    int cornerX = page.right - 2;
    int cornerY = page.bottom - 2;
    std::string grow = "drag " + std::to_string(cornerX) + "," + std::to_string(cornerY) + " " +
                       std::to_string(cornerX + 100) + "," + std::to_string(cornerY + 50) + "\n";
    std::string shrink = "drag " + std::to_string(cornerX + 100) + "," + std::to_string(cornerY + 50) +
                         " " + std::to_string(cornerX) + "," + std::to_string(cornerY) + "\n";

    ASSERT_EQ(run.run(std::string(TO_LICENCE) + "shot \"first.png\"\n" + grow + "shot \"grown.png\"\n" +
                      shrink + "shot \"shrunk.png\"\nkey Escape\n"),
              1)
        << run.output();
    Screenshot first(run.folder() / "first.png");
    Screenshot grown(run.folder() / "grown.png");
    Screenshot shrunk(run.folder() / "shrunk.png");

    PixelBox grownPage = PageOnWorkArea(grown);
    EXPECT_EQ(grownPage.left, page.left);
    EXPECT_EQ(grownPage.top, page.top);
    EXPECT_EQ(grownPage.width(), page.width() + 100);
    EXPECT_EQ(grownPage.height(), page.height() + 50);
    // The bottom-right corner with both buttons is the same picture, moved with the corner.
    EXPECT_TRUE(first.same_block(page.right - 240, page.bottom - 36, grown, grownPage.right - 240,
                                 grownPage.bottom - 36, 236, 32));
    // Shrunk back, the page looks as it did at first.
    EXPECT_TRUE(first.same_block(page.left, page.top, shrunk, page.left, page.top, page.width(),
                                 page.height()));
}
