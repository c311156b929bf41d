// Device-independent bitmaps of 1, 4, 8 and 24 bits, bottom-up and top-down, drawn at their
// size and stretched, and block transfers between contexts.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "surface_dc.h"
#include "win/gdi.h"

using winsim::gdi::test::SurfaceDc;

namespace {

// The colour of table entry i in the test DIBs.
COLORREF entry_color(int i) { return RGB((i * 37) & 0xFF, 255 - i, (i * 11) & 0xFF); }

// A BITMAPINFO with its colour table followed by the pixel rows, as a resource holds it.
// Pixel (x, y), y from the top, has colour index (x + 3 * y) % colours (or that entry's
// colour for 24 bits).
struct TestDib {
    std::vector<std::uint8_t> bytes;
    int colours = 0;
    const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(bytes.data()); }
    const void* bits() const { return bytes.data() + 40 + 4 * colours; }
    static int index_at(int x, int y, int count) { return (x + 3 * y) % count; }
};

TestDib make_dib(int bpp, int width, int height, bool top_down) {
    TestDib dib;
    dib.colours = bpp <= 8 ? (1 << bpp) : 0;
    int count = bpp <= 8 ? dib.colours : 16;
    std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    dib.bytes.assign(40 + 4 * dib.colours + stride * height, 0);
    BITMAPINFOHEADER h{};
    h.biSize = 40;
    h.biWidth = width;
    h.biHeight = top_down ? -height : height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bpp);
    std::memcpy(dib.bytes.data(), &h, 40);
    for (int i = 0; i < dib.colours; ++i) {
        COLORREF c = entry_color(i);
        std::uint8_t* q = dib.bytes.data() + 40 + 4 * i;
        q[0] = GetBValue(c);
        q[1] = GetGValue(c);
        q[2] = GetRValue(c);
    }
    std::uint8_t* rows = dib.bytes.data() + 40 + 4 * dib.colours;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rows + stride * (top_down ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            int v = TestDib::index_at(x, y, count);
            switch (bpp) {
                case 1: row[x / 8] |= v << (7 - x % 8); break;
                case 4: row[x / 2] |= (x % 2) ? v : v << 4; break;
                case 8: row[x] = static_cast<std::uint8_t>(v); break;
                case 24: {
                    COLORREF c = entry_color(v);
                    row[3 * x] = GetBValue(c);
                    row[3 * x + 1] = GetGValue(c);
                    row[3 * x + 2] = GetRValue(c);
                    break;
                }
            }
        }
    }
    return dib;
}

COLORREF expected_at(int bpp, int x, int y) {
    int count = bpp <= 8 ? (1 << bpp) : 16;
    return entry_color(TestDib::index_at(x, y, count));
}

struct DibCase {
    int bpp;
    bool top_down;
};
const DibCase kDibCases[] = {{1, false}, {4, false}, {4, true}, {8, false}, {8, true}, {24, false}, {24, true}};

}  // namespace

TEST(GdiDibs, SetDIBitsToDeviceDrawsEveryDepthAndOrientationAtItsSize) {
    for (const DibCase& c : kDibCases) {
        const int w = 13, h = 7;
        TestDib dib = make_dib(c.bpp, w, h, c.top_down);
        SurfaceDc s(30, 20, RGB(1, 1, 1));
        int lines = SetDIBitsToDevice(s.dc(), 5, 4, w, h, 0, 0, 0, h, dib.bits(), dib.info(), DIB_RGB_COLORS);
        EXPECT_EQ(lines, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(s.at(5 + x, 4 + y), expected_at(c.bpp, x, y))
                    << c.bpp << (c.top_down ? " top-down " : " bottom-up ") << x << "," << y;
        EXPECT_EQ(s.at(4, 4), RGB(1, 1, 1));
        EXPECT_EQ(s.at(5 + w, 4), RGB(1, 1, 1));
        EXPECT_EQ(s.at(5, 4 + h), RGB(1, 1, 1));
    }
}

TEST(GdiDibs, StretchDIBitsScalesTheWholeBitmapIntoTheRectangle) {
    for (const DibCase& c : kDibCases) {
        const int w = 10, h = 6;
        TestDib dib = make_dib(c.bpp, w, h, c.top_down);
        SurfaceDc s(40, 20, RGB(1, 1, 1));
        int lines = StretchDIBits(s.dc(), 2, 3, 3 * w, 2 * h, 0, 0, w, h, dib.bits(), dib.info(),
                                  DIB_RGB_COLORS, SRCCOPY);
        EXPECT_EQ(lines, h);
        for (int y = 0; y < 2 * h; ++y)
            for (int x = 0; x < 3 * w; ++x)
                ASSERT_EQ(s.at(2 + x, 3 + y), expected_at(c.bpp, x / 3, y / 2))
                    << c.bpp << (c.top_down ? " top-down " : " bottom-up ") << x << "," << y;
        EXPECT_EQ(s.at(2 + 3 * w, 3), RGB(1, 1, 1));
    }
}

TEST(GdiDibs, TheRuleBitmapStretchesAcrossTheWorkArea) {
    // 10 x 2, 8 bits, five colours: light blue over nearly black, bottom row first.
    std::vector<std::uint8_t> bytes(40 + 4 * 5 + 12 * 2, 0);
    BITMAPINFOHEADER h{40, 10, 2, 1, 8, BI_RGB, 0, 0, 0, 5, 0};
    std::memcpy(bytes.data(), &h, 40);
    const std::uint8_t table[5][4] = {{25, 6, 0, 0}, {255, 83, 26, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
    std::memcpy(bytes.data() + 40, table, sizeof table);
    std::memset(bytes.data() + 60, 0, 10);        // stored first: the bottom row
    std::memset(bytes.data() + 72, 1, 10);        // the top row
    SurfaceDc s(1024, 70);
    StretchDIBits(s.dc(), 150, 58, 1024 - 150, 2, 0, 0, 10, 2, bytes.data() + 60,
                  reinterpret_cast<const BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS, SRCCOPY);
    for (int x : {150, 500, 1023}) {
        EXPECT_EQ(s.at(x, 58), RGB(26, 83, 255)) << x;
        EXPECT_EQ(s.at(x, 59), RGB(0, 6, 25)) << x;
    }
    EXPECT_EQ(s.at(149, 58), RGB(255, 255, 255));
    EXPECT_EQ(s.at(500, 60), RGB(255, 255, 255));
}

TEST(GdiDibs, BitBltCopiesAMemoryBitmapAndPalettesKeepColoursExact) {
    SurfaceDc screen(40, 40);
    HDC memory = CreateCompatibleDC(screen.dc());
    HBITMAP bitmap = CreateCompatibleBitmap(screen.dc(), 8, 8);
    HGDIOBJ old = SelectObject(memory, bitmap);
    TestDib dib = make_dib(8, 8, 8, false);
    SetDIBitsToDevice(memory, 0, 0, 8, 8, 0, 0, 0, 8, dib.bits(), dib.info(), DIB_RGB_COLORS);

    // A logical palette selected and realised on a true-colour screen changes no colour.
    std::vector<std::uint8_t> block(8 + 4 * 2);
    auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = 2;
    HPALETTE palette = CreatePalette(lp);
    ASSERT_NE(palette, nullptr);
    HPALETTE previous = SelectPalette(screen.dc(), palette, FALSE);
    EXPECT_NE(previous, nullptr);
    RealizePalette(screen.dc());

    ASSERT_TRUE(BitBlt(screen.dc(), 10, 20, 8, 8, memory, 0, 0, SRCCOPY));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(screen.at(10 + x, 20 + y), expected_at(8, x, y));
    EXPECT_EQ(screen.at(9, 20), RGB(255, 255, 255));
    EXPECT_EQ(SelectPalette(screen.dc(), previous, TRUE), palette);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    DeleteObject(palette);
}
