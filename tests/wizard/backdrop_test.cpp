// The backdrop's fixed geometry and colours, read off a screenshot of the licence page step.
#include <gtest/gtest.h>

#include "installer_run.h"
#include "screenshot.h"

namespace {

const std::uint32_t PANEL = 0x001860;
const std::uint32_t WHITE = 0xFFFFFF;
const std::uint32_t LINE = 0xF8F8FF;
const std::uint32_t RULE_TOP = 0x1A53FF;
const std::uint32_t RULE_BOTTOM = 0x000619;
const std::uint32_t PICTURE_KEY = 0x008080;
const std::uint32_t TITLE_TOP_LAYER = 0x80A0FF;
const std::uint32_t TAGLINE_TOP_LAYER = 0x0000FF;

// The backdrop alone, as it is first painted, on a screen of the given size.
Screenshot BackdropShot(InstallerRun& run, const std::string& screen) {
    run.set_screen(screen);
    int code = run.run(
        "wait \"Tarrowin\"\n"
        "click \"Continue\"\n"
        "shot \"backdrop.png\"\n"
        "close \"Tarrowin\"\n");
    EXPECT_EQ(code, 1) << run.output();
    return Screenshot(run.folder() / "backdrop.png");
}

}  // namespace

TEST(Backdrop, PanelRuleAndRuledWorkAreaAt1024x768) {
    InstallerRun run("backdrop-geometry");
    Screenshot shot = BackdropShot(run, "1024x768");
    ASSERT_TRUE(shot.loaded());
    ASSERT_EQ(shot.width(), 1024);
    ASSERT_EQ(shot.height(), 768);

    // The rule runs under the band from the panel's edge to the right of the screen.
    for (int x : {150, 400, 1023}) {
        EXPECT_EQ(shot.at(x, 58), RULE_TOP) << x;
        EXPECT_EQ(shot.at(x, 59), RULE_BOTTOM) << x;
    }
    // The panel fills the left 150 pixels below the band, labels and picture aside.
    for (int y : {60, 90, 300, 560, 767}) {
        EXPECT_EQ(shot.at(0, y), PANEL) << y;
        EXPECT_EQ(shot.at(149, y), PANEL) << y;
    }
    EXPECT_NE(shot.at(150, 300), PANEL);

    // The work area: white with a two-pixel line every four rows, the last one below 768.
    int lineRows = 0;
    for (int y = 60; y < 768; ++y) {
        std::uint32_t p = shot.at(700, y);
        ASSERT_TRUE(p == WHITE || p == LINE) << "row " << y;
        if (p == LINE) ++lineRows;
    }
    EXPECT_EQ(lineRows, 2 * ((767 - 63) / 4 + 1));
    EXPECT_TRUE(shot.at(700, 767) == LINE || shot.at(700, 766) == LINE);
    EXPECT_EQ(shot.at(150, 300), WHITE);  // the lines start one pixel right of the panel
}

TEST(Backdrop, PanelPictureBackgroundTakesThePanelColour) {
    InstallerRun run("backdrop-picture");
    Screenshot shot = BackdropShot(run, "1024x768");
    ASSERT_TRUE(shot.loaded());
    // The picture sits at (16, 588), 120 x 168; its flood-filled background is the panel's.
    PixelBox picture{16, 588, 136, 756};
    EXPECT_EQ(shot.at(17, 589), PANEL);
    PixelBox aroundPicture{0, 588, 16, 756};
    EXPECT_EQ(shot.count(aroundPicture, PANEL), 16 * 168);
}

TEST(Backdrop, TitleAndTaglineFollowTheScreenWidth) {
    struct Case {
        const char* screen;
        int width;
        int height;
        int titleCharWidth;
        int taglineCharWidth;
    };
    // Average character widths of the record's texts: (W / 3) / 14 and W / trunc(1.5 * 33).
    const Case cases[] = {{"1024x768", 1024, 768, 24, 20}, {"800x600", 800, 600, 19, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        InstallerRun run("backdrop-fonts");
        Screenshot shot = BackdropShot(run, c.screen);
        ASSERT_TRUE(shot.loaded());
        ASSERT_EQ(shot.width(), c.width);

        PixelBox title = shot.bounds_of(PixelBox{0, 0, c.width - 334, 58}, TITLE_TOP_LAYER);
        ASSERT_FALSE(title.empty());
        EXPECT_LE(title.left, 12);
        EXPECT_NEAR(title.width(), 14 * c.titleCharWidth, 14 * c.titleCharWidth / 5);

        PixelBox tagline = shot.bounds_of(PixelBox{150, c.height / 2, c.width, c.height}, TAGLINE_TOP_LAYER);
        ASSERT_FALSE(tagline.empty());
        EXPECT_NEAR(tagline.width(), 33 * c.taglineCharWidth, 33 * c.taglineCharWidth / 5);
        // The measured text ends 32 pixels from the right for the bottom layer, two pixels
        // further for the top one; the last glyph's ink stays within its advance.
        EXPECT_LE(tagline.right, c.width - 30);
        EXPECT_GE(tagline.right, c.width - 30 - c.taglineCharWidth);
        EXPECT_NEAR(tagline.bottom, c.height - 14, 8);
    }
}
