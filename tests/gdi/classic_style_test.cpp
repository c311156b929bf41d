// The classic painter: button faces, caption bars, frames and scroll bar geometry.
#include <gtest/gtest.h>

#include "gdi/classic_style.h"
#include "surface_dc.h"
#include "win/gdi.h"

namespace classic = winsim::gdi::classic;
using winsim::gdi::test::SurfaceDc;

TEST(ClassicStyle, PushButtonStatesDrawTheirBorders) {
    struct Case {
        bool pressed, is_default;
        COLORREF outer, second;   // pixel on the top edge, and one pixel inside it
    };
    const Case cases[] = {
        {false, false, RGB(255, 255, 255), RGB(192, 192, 192)},
        {false, true, RGB(0, 0, 0), RGB(255, 255, 255)},
        {true, true, RGB(0, 0, 0), RGB(128, 128, 128)},
    };
    for (const Case& c : cases) {
        SurfaceDc s(75, 23, RGB(7, 7, 7));
        classic::PushButton b;
        b.text = "&Continue";
        b.pressed = c.pressed;
        b.is_default = c.is_default;
        classic::draw_push_button(s.dc(), RECT{0, 0, 75, 23}, b);
        EXPECT_EQ(s.at(30, 0), c.outer);
        EXPECT_EQ(s.at(30, 1), c.second);
        EXPECT_EQ(s.at(74, 22), c.pressed || c.is_default ? RGB(0, 0, 0) : RGB(0, 0, 0));
        EXPECT_EQ(s.at(3, 11), RGB(192, 192, 192));   // the face
        EXPECT_TRUE(s.colours().count(RGB(0, 0, 0)));  // text
        EXPECT_FALSE(s.colours().count(RGB(7, 7, 7)));  // the whole rectangle is painted
    }
}

TEST(ClassicStyle, AFocusedButtonHasItsDottedRectangleFourPixelsInside) {
    SurfaceDc s(75, 23);
    classic::PushButton b;
    b.focused = true;
    classic::draw_push_button(s.dc(), RECT{0, 0, 75, 23}, b);
    // Along the row 4 pixels down, the dots alternate with the face.
    int dots = 0;
    for (int x = 4; x < 71; ++x) dots += s.at(x, 4) != RGB(192, 192, 192);
    EXPECT_EQ(dots, 34);
    for (int x = 5; x < 70; ++x) ASSERT_EQ(s.at(x, 5), RGB(192, 192, 192)) << x;
}

TEST(ClassicStyle, DisabledButtonTextIsEmbossed) {
    SurfaceDc s(75, 23);
    classic::PushButton b;
    b.text = "Back";
    b.enabled = false;
    classic::draw_push_button(s.dc(), RECT{0, 0, 75, 23}, b);
    int white_inside = 0, grey_inside = 0, black_inside = 0;
    for (int y = 4; y < 19; ++y)
        for (int x = 4; x < 71; ++x) {
            white_inside += s.at(x, y) == RGB(255, 255, 255);
            grey_inside += s.at(x, y) == RGB(128, 128, 128);
            black_inside += s.at(x, y) == RGB(0, 0, 0);
        }
    EXPECT_GT(white_inside, 5);
    EXPECT_GT(grey_inside, 5);
    EXPECT_EQ(black_inside, 0);
}

TEST(ClassicStyle, CaptionShowsItsColoursAndACloseButtonOnlyWithASystemMenu) {
    for (bool active : {true, false}) {
        for (bool close : {true, false}) {
            SurfaceDc s(200, 19);
            classic::Caption c;
            c.text = "Tarrowin";
            c.active = active;
            c.close_button = close;
            RECT bar{0, 0, 200, 18};
            classic::draw_caption(s.dc(), bar, c);
            EXPECT_EQ(s.at(0, 2), active ? RGB(0, 0, 128) : RGB(128, 128, 128));
            EXPECT_EQ(s.at(0, 18), RGB(192, 192, 192));
            RECT button = classic::caption_close_button(bar);
            COLORREF button_face = s.at(button.left + 3, button.bottom - 3);
            EXPECT_EQ(button_face == RGB(192, 192, 192), close) << active << close;
            EXPECT_TRUE(s.colours().count(active ? RGB(255, 255, 255) : RGB(192, 192, 192)));
        }
    }
}

TEST(ClassicStyle, DialogFrameIsThreePixelsAndShrinksTheRectangle) {
    SurfaceDc s(50, 50, RGB(7, 7, 7));
    RECT r{0, 0, 50, 50};
    classic::draw_frame(s.dc(), r, classic::Frame::Dialog);
    EXPECT_EQ(r.left, classic::kDialogFrame);
    EXPECT_EQ(r.bottom, 50 - classic::kDialogFrame);
    EXPECT_EQ(s.at(0, 10), RGB(192, 192, 192));
    EXPECT_EQ(s.at(1, 10), RGB(255, 255, 255));
    EXPECT_EQ(s.at(2, 10), RGB(192, 192, 192));
    EXPECT_EQ(s.at(49, 10), RGB(0, 0, 0));
    EXPECT_EQ(s.at(3, 10), RGB(7, 7, 7));
}

TEST(ClassicStyle, ScrollBarThumbFollowsThePositionBothWays) {
    const RECT rect{0, 0, 16, 116};   // a track of 84 pixels between the arrows
    classic::ScrollBar bar;
    bar.min = 0;
    bar.max = 99;
    bar.page = 10;
    struct Case {
        int pos;
        int thumb_top;
    };
    const Case cases[] = {{0, 16}, {90, 116 - 16 - 8}, {45, 16 + 38}, {500, 116 - 16 - 8}};
    for (const Case& c : cases) {
        bar.pos = c.pos;
        auto layout = classic::layout_scroll_bar(rect, bar);
        EXPECT_EQ(layout.thumb.top, c.thumb_top) << c.pos;
        EXPECT_EQ(layout.thumb.bottom - layout.thumb.top, 8) << c.pos;
        EXPECT_EQ(classic::scroll_pos_for_thumb(rect, bar, layout.thumb.top), std::min(c.pos, 90)) << c.pos;
        EXPECT_EQ(classic::hit_scroll_bar(layout, POINT{8, 5}), classic::ScrollPart::LineUp);
        EXPECT_EQ(classic::hit_scroll_bar(layout, POINT{8, layout.thumb.top + 2}), classic::ScrollPart::Thumb);
        EXPECT_EQ(classic::hit_scroll_bar(layout, POINT{8, 110}), classic::ScrollPart::LineDown);
    }
    // Nothing to scroll: no thumb, the whole track is one part.
    bar.max = 5;
    auto layout = classic::layout_scroll_bar(rect, bar);
    EXPECT_TRUE(winsim::gdi::rect_empty(layout.thumb));
}
