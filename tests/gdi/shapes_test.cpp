// Fills, pens, focus rectangles, 3-D edges, flood fill and clipping, probed pixel by pixel.
#include <gtest/gtest.h>

#include "surface_dc.h"
#include "win/gdi.h"

using winsim::gdi::test::SurfaceDc;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

std::pair<int, int> rows_of_line(int style, int width, int y) {
    SurfaceDc s(40, 20);
    HPEN pen = CreatePen(style, width, RGB(255, 248, 248));
    HGDIOBJ old = SelectObject(s.dc(), pen);
    MoveToEx(s.dc(), 5, y, nullptr);
    LineTo(s.dc(), 30, y);
    SelectObject(s.dc(), old);
    DeleteObject(pen);
    return s.ink_rows(kWhite);
}

}  // namespace

TEST(GdiPens, HorizontalLinesCoverTheRowsOfTheirWidth) {
    struct Case {
        int style, width, y, first, last;
    };
    const Case cases[] = {
        {PS_SOLID, 1, 10, 10, 10},
        {PS_INSIDEFRAME, 2, 10, 9, 10},   // the extra row of an even width lies above
        {PS_SOLID, 2, 10, 9, 10},
        {PS_INSIDEFRAME, 3, 10, 9, 11},
    };
    for (const Case& c : cases) {
        auto rows = rows_of_line(c.style, c.width, c.y);
        EXPECT_EQ(rows.first, c.first) << c.style << "/" << c.width;
        EXPECT_EQ(rows.second, c.last) << c.style << "/" << c.width;
    }
}

TEST(GdiPens, AThinLineLeavesOutItsLastPointAndTheCurrentPositionMoves) {
    SurfaceDc s(20, 20);
    MoveToEx(s.dc(), 2, 5, nullptr);
    LineTo(s.dc(), 12, 5);
    EXPECT_EQ(s.at(2, 5), RGB(0, 0, 0));
    EXPECT_EQ(s.at(11, 5), RGB(0, 0, 0));
    EXPECT_EQ(s.at(12, 5), kWhite);
    LineTo(s.dc(), 12, 15);
    EXPECT_EQ(s.at(12, 5), RGB(0, 0, 0));
    EXPECT_EQ(s.at(12, 14), RGB(0, 0, 0));
    EXPECT_EQ(s.at(12, 15), kWhite);
    POINT previous{};
    MoveToEx(s.dc(), 0, 0, &previous);
    EXPECT_EQ(previous.x, 12);
    EXPECT_EQ(previous.y, 15);
}

TEST(GdiPens, BackdropRulingEndsWithItsLastLineOnTheScreensLastRow) {
    SurfaceDc s(200, 768);
    HPEN pen = CreatePen(PS_INSIDEFRAME, 2, RGB(255, 248, 248));
    HGDIOBJ old = SelectObject(s.dc(), pen);
    for (int y = 63; y < 768; y += 4) {
        MoveToEx(s.dc(), 151, y, nullptr);
        LineTo(s.dc(), 200, y);
    }
    SelectObject(s.dc(), old);
    DeleteObject(pen);
    for (int y : {62, 63, 766, 767}) EXPECT_EQ(s.at(170, y), RGB(255, 248, 248)) << y;
    for (int y : {61, 64, 65, 765}) EXPECT_EQ(s.at(170, y), kWhite) << y;
}

TEST(GdiShapes, RectangleWithAnInsideFramePenKeepsTheFrameInside) {
    SurfaceDc s(20, 20);
    HPEN pen = CreatePen(PS_INSIDEFRAME, 2, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    SelectObject(s.dc(), pen);
    SelectObject(s.dc(), brush);
    Rectangle(s.dc(), 2, 2, 12, 10);
    EXPECT_EQ(s.at(1, 1), kWhite);
    EXPECT_EQ(s.at(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(s.at(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(s.at(4, 4), RGB(0, 255, 0));
    EXPECT_EQ(s.at(11, 9), RGB(255, 0, 0));
    EXPECT_EQ(s.at(12, 10), kWhite);
    // Without a pen the fill stops one pixel short on the right and at the bottom.
    SelectObject(s.dc(), GetStockObject(NULL_PEN));
    Rectangle(s.dc(), 2, 12, 12, 18);
    EXPECT_EQ(s.at(2, 12), RGB(0, 255, 0));
    EXPECT_EQ(s.at(10, 16), RGB(0, 255, 0));
    EXPECT_EQ(s.at(11, 16), kWhite);
    EXPECT_EQ(s.at(10, 17), kWhite);
    SelectObject(s.dc(), GetStockObject(BLACK_PEN));
    SelectObject(s.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
}

TEST(GdiShapes, FillRectPaintsRightAndBottomExclusive) {
    SurfaceDc s(10, 10);
    HBRUSH brush = CreateSolidBrush(RGB(0, 24, 96));
    RECT r{2, 3, 6, 7};
    FillRect(s.dc(), &r, brush);
    EXPECT_EQ(s.at(2, 3), RGB(0, 24, 96));
    EXPECT_EQ(s.at(5, 6), RGB(0, 24, 96));
    EXPECT_EQ(s.at(6, 6), kWhite);
    EXPECT_EQ(s.at(5, 7), kWhite);
    DeleteObject(brush);
}

TEST(GdiShapes, FocusRectangleIsDottedAndVanishesWhenDrawnTwice) {
    SurfaceDc s(12, 12);
    RECT r{1, 1, 11, 11};
    DrawFocusRect(s.dc(), &r);
    int black = 0;
    for (int x = 1; x < 11; ++x) black += s.at(x, 1) == RGB(0, 0, 0);
    EXPECT_EQ(black, 5);
    EXPECT_EQ(s.at(5, 5), kWhite);
    DrawFocusRect(s.dc(), &r);
    EXPECT_EQ(s.colours(), std::set<COLORREF>{kWhite});
}

TEST(GdiShapes, DrawEdgePaintsTheClassicBorderColoursAndAdjusts) {
    struct Case {
        UINT edge;
        COLORREF outer_top_left, inner_top_left, inner_bottom_right, outer_bottom_right;
    };
    const Case cases[] = {
        {EDGE_RAISED, RGB(192, 192, 192), RGB(255, 255, 255), RGB(128, 128, 128), RGB(0, 0, 0)},
        {EDGE_SUNKEN, RGB(128, 128, 128), RGB(0, 0, 0), RGB(192, 192, 192), RGB(255, 255, 255)},
        {EDGE_ETCHED, RGB(128, 128, 128), RGB(255, 255, 255), RGB(128, 128, 128), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SurfaceDc s(10, 10, RGB(1, 2, 3));
        RECT r{0, 0, 10, 10};
        ASSERT_TRUE(DrawEdge(s.dc(), &r, c.edge, BF_RECT | BF_ADJUST));
        EXPECT_EQ(s.at(0, 4), c.outer_top_left) << c.edge;
        EXPECT_EQ(s.at(4, 1), c.inner_top_left) << c.edge;
        EXPECT_EQ(s.at(8, 4), c.inner_bottom_right) << c.edge;
        EXPECT_EQ(s.at(4, 9), c.outer_bottom_right) << c.edge;
        EXPECT_EQ(s.at(9, 0), c.outer_bottom_right) << "top-right corner " << c.edge;
        EXPECT_EQ(s.at(5, 5), RGB(1, 2, 3)) << "middle untouched " << c.edge;
        EXPECT_EQ(r.left, 2);
        EXPECT_EQ(r.bottom, 8);
    }
}

namespace {

// A 12 x 8 picture in the key colour with a ring of another colour that encloses an island
// of the key colour: only the outer area is connected to (1, 1).
constexpr COLORREF kKey = RGB(0, 128, 128);   // 0x808000
constexpr COLORREF kRing = RGB(255, 0, 0);

void draw_island_picture(HDC dc) {
    RECT all{0, 0, 12, 8};
    HBRUSH key = CreateSolidBrush(kKey);
    HBRUSH ring = CreateSolidBrush(kRing);
    FillRect(dc, &all, key);
    RECT outer{4, 2, 9, 7};
    FillRect(dc, &outer, ring);
    RECT island{5, 3, 8, 6};
    FillRect(dc, &island, key);
    DeleteObject(key);
    DeleteObject(ring);
}

}  // namespace

TEST(GdiFloodFill, SurfaceFillRepaintsOnlyTheConnectedAreaOfTheColour) {
    SurfaceDc screen(4, 4);
    HDC memory = CreateCompatibleDC(screen.dc());
    HBITMAP bitmap = CreateCompatibleBitmap(screen.dc(), 12, 8);
    HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
    draw_island_picture(memory);
    HBRUSH panel = CreateSolidBrush(RGB(0, 24, 96));
    HGDIOBJ old_brush = SelectObject(memory, panel);
    ASSERT_TRUE(ExtFloodFill(memory, 1, 1, kKey, FLOODFILLSURFACE));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            bool in_ring = x >= 4 && x < 9 && y >= 2 && y < 7;
            bool in_island = x >= 5 && x < 8 && y >= 3 && y < 6;
            COLORREF expected = in_island ? kKey : in_ring ? kRing : RGB(0, 24, 96);
            ASSERT_EQ(GetPixel(memory, x, y), expected) << x << "," << y;
        }
    // A start point of another colour fills nothing.
    EXPECT_FALSE(ExtFloodFill(memory, 4, 2, kKey, FLOODFILLSURFACE));
    EXPECT_EQ(GetPixel(memory, 4, 2), kRing);
    SelectObject(memory, old_brush);
    SelectObject(memory, old_bitmap);
    DeleteObject(panel);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST(GdiFloodFill, BorderFillStopsAtTheBorderColour) {
    SurfaceDc s(12, 8);
    draw_island_picture(s.dc());
    HBRUSH paint = CreateSolidBrush(RGB(9, 9, 9));
    SelectObject(s.dc(), paint);
    ASSERT_TRUE(ExtFloodFill(s.dc(), 6, 4, kRing, FLOODFILLBORDER));
    EXPECT_EQ(s.at(6, 4), RGB(9, 9, 9));
    EXPECT_EQ(s.at(4, 2), kRing);
    EXPECT_EQ(s.at(0, 0), kKey);
    EXPECT_FALSE(ExtFloodFill(s.dc(), 4, 2, kRing, FLOODFILLBORDER));
    SelectObject(s.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(paint);
}

TEST(GdiClipping, AWindowContextDrawsOnlyInsideItsClipAndFromItsOrigin) {
    // The context's logical (0, 0) lies at (10, 5); the clip is two separate strips.
    winsim::gdi::Region clip(RECT{10, 5, 20, 10});
    clip.unite(RECT{30, 5, 40, 10});
    SurfaceDc s(50, 20, POINT{10, 5}, clip);
    HBRUSH brush = CreateSolidBrush(RGB(200, 0, 0));
    RECT everything{-100, -100, 100, 100};
    FillRect(s.dc(), &everything, brush);
    EXPECT_EQ(s.at(10, 5), RGB(200, 0, 0));
    EXPECT_EQ(s.at(39, 9), RGB(200, 0, 0));
    EXPECT_EQ(s.at(25, 7), RGB(255, 255, 255));
    EXPECT_EQ(s.at(10, 10), RGB(255, 255, 255));
    EXPECT_EQ(s.at(9, 5), RGB(255, 255, 255));
    // Logical coordinates: (0, 0) is the surface's (10, 5); outside the clip nothing reads.
    EXPECT_EQ(GetPixel(s.dc(), 0, 0), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(s.dc(), 15, 0), CLR_INVALID);
    // A flood fill cannot leak out of the clip either.
    SelectObject(s.dc(), brush);
    winsim::gdi::Surface& surface = s.surface();
    surface.fill(winsim::gdi::rgb_of(RGB(255, 255, 255)));
    ASSERT_TRUE(ExtFloodFill(s.dc(), 1, 1, RGB(255, 255, 255), FLOODFILLSURFACE));
    EXPECT_EQ(s.at(12, 6), RGB(200, 0, 0));
    EXPECT_EQ(s.at(25, 7), RGB(255, 255, 255));
    EXPECT_EQ(s.at(35, 7), RGB(255, 255, 255));   // not connected within the clip
    SelectObject(s.dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}
