// Fonts and text: LOGFONT sizes and widths as Windows reads them, face choice, monochrome
// glyphs, opaque clipped output and DrawText's layout.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstring>
#include <string>

#include "gdi/face_library.h"
#include "surface_dc.h"
#include "win/gdi.h"

using winsim::gdi::FaceLibrary;
using winsim::gdi::test::SurfaceDc;

namespace {

LOGFONTA logfont(LONG height, LONG width, LONG weight, BYTE pitch, const char* face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfWeight = weight;
    lf.lfOutPrecision = OUT_CHARACTER_PRECIS;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = pitch;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

// Selects a font made from `lf` for the life of the object.
class SelectedFont {
public:
    SelectedFont(HDC dc, const LOGFONTA& lf) : dc_(dc), font_(CreateFontIndirectA(&lf)) {
        old_ = SelectObject(dc_, font_);
    }
    ~SelectedFont() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

SIZE extent(HDC dc, const char* text) {
    SIZE size{};
    GetTextExtentPointA(dc, text, static_cast<int>(std::strlen(text)), &size);
    return size;
}

}  // namespace

TEST(GdiFonts, WindowsFaceNamesMapToTheirHostFamilies) {
    struct Case {
        const char* face;
        BYTE pitch;
        const char* family;
    };
    const Case cases[] = {
        {"Comic Sans MS", 0x42, "Comic Neue"},  {"Arial", 0x42, "Liberation Sans"},
        {"Ms Sans Serif", 0x22, "Liberation Sans Narrow"}, {"MS SANS SERIF", 0x22, "Liberation Sans Narrow"},
        {"", FF_ROMAN, "Liberation Serif"},     {"", FF_SWISS, "Liberation Sans"},
    };
    for (const Case& c : cases) {
        std::string family = FaceLibrary::host_family(c.face, c.pitch);
        EXPECT_EQ(family, c.family) << c.face;
        // The family is installed: fontconfig answers it, not the last resort.
        FT_Face face = FaceLibrary::instance().choose(family, false, false).face;
        ASSERT_NE(face, nullptr) << c.face;
        EXPECT_STREQ(face->family_name, c.family) << c.face;
    }
    FT_Face unknown = FaceLibrary::instance().choose("No Such Family 123", false, false).face;
    ASSERT_NE(unknown, nullptr);
    EXPECT_STREQ(unknown->family_name, "DejaVu Sans");
}

TEST(GdiFonts, PositiveHeightIsTheCellAndNegativeHeightTheCharacter) {
    SurfaceDc s(10, 10);
    TEXTMETRICA cell{}, character{};
    {
        SelectedFont f(s.dc(), logfont(64, 0, FW_BOLD, 0x42, "Comic Sans MS"));
        GetTextMetricsA(s.dc(), &cell);
    }
    {
        SelectedFont f(s.dc(), logfont(-64, 0, FW_BOLD, 0x42, "Comic Sans MS"));
        GetTextMetricsA(s.dc(), &character);
    }
    EXPECT_EQ(cell.tmHeight, 64);
    EXPECT_EQ(cell.tmAscent + cell.tmDescent, 64);
    EXPECT_GT(character.tmHeight, 64);
    EXPECT_EQ(character.tmHeight - character.tmInternalLeading, 64);
    EXPECT_EQ(cell.tmWeight, FW_BOLD);
}

TEST(GdiFonts, DoublingTheLogfontWidthDoublesTheText) {
    SurfaceDc s(800, 60);
    const char* text = "Sweeplux - Keep Your Drives Tidy!";
    SIZE narrow, wide;
    TEXTMETRICA tm{};
    {
        SelectedFont f(s.dc(), logfont(42, 10, FW_NORMAL, 0x42, "Arial"));
        narrow = extent(s.dc(), text);
        GetTextMetricsA(s.dc(), &tm);
    }
    EXPECT_EQ(tm.tmAveCharWidth, 10);
    {
        SelectedFont f(s.dc(), logfont(42, 20, FW_NORMAL, 0x42, "Arial"));
        wide = extent(s.dc(), text);
        TextOutA(s.dc(), 0, 0, text, static_cast<int>(std::strlen(text)));
    }
    EXPECT_EQ(narrow.cy, 42);
    EXPECT_EQ(wide.cy, 42);
    double ratio = static_cast<double>(wide.cx) / narrow.cx;
    EXPECT_GT(ratio, 1.85);
    EXPECT_LT(ratio, 2.15);
    // The ink spans about what the extent says: the glyphs themselves are stretched.
    auto ink = s.ink_columns(RGB(255, 255, 255));
    EXPECT_GT(ink.second - ink.first, wide.cx * 9 / 10);
}

TEST(GdiFonts, AverageWidthIsTheWeightedLowerCaseAverageSoTextSpansItsCharacterCount) {
    SurfaceDc s(10, 10);
    TEXTMETRICA tm{};
    {
        // Arial's classic average is 904 of 2048 units; the metric twin has the same advances.
        SelectedFont f(s.dc(), logfont(-100, 0, FW_NORMAL, 0x22, "Arial"));
        GetTextMetricsA(s.dc(), &tm);
    }
    EXPECT_EQ(tm.tmAveCharWidth, 44);
    // A tagline of 33 characters at an average width of 20 is about 660 pixels long.
    SelectedFont f(s.dc(), logfont(42, 20, FW_NORMAL, 0x42, "Arial"));
    SIZE size = extent(s.dc(), "Sweeplux - Keep Your Drives Tidy!");
    EXPECT_GT(size.cx, 660 * 85 / 100);
    EXPECT_LT(size.cx, 660 * 115 / 100);
}

TEST(GdiFonts, TextIsNotAntialiased) {
    SurfaceDc s(300, 80);
    SetTextColor(s.dc(), RGB(255, 160, 128));
    SetBkColor(s.dc(), RGB(0, 24, 96));
    SetBkMode(s.dc(), OPAQUE);
    SelectedFont f(s.dc(), logfont(64, 24, FW_BOLD, 0x42, "Comic Sans MS"));
    TextOutA(s.dc(), 4, 4, "Sweeplux v3.06", 14);
    EXPECT_EQ(s.colours(), (std::set<COLORREF>{RGB(255, 255, 255), RGB(255, 160, 128), RGB(0, 24, 96)}));
}

TEST(GdiFonts, TransparentModeLeavesTheGroundAndHighCharactersHaveGlyphs) {
    SurfaceDc s(200, 40, RGB(10, 20, 30));
    SetBkMode(s.dc(), TRANSPARENT);
    SetTextColor(s.dc(), RGB(255, 255, 255));
    SelectedFont f(s.dc(), logfont(-20, 0, FW_NORMAL, 0x22, "Arial"));
    // The euro sign and the curly apostrophe of Windows-1252's 0x80-0x9F block.
    TextOutA(s.dc(), 2, 2, "\x80\x92", 2);
    EXPECT_EQ(s.colours(), (std::set<COLORREF>{RGB(10, 20, 30), RGB(255, 255, 255)}));
    SIZE euro = extent(s.dc(), "\x80");
    SIZE c = extent(s.dc(), "C");
    EXPECT_GT(euro.cx, c.cx / 2);
}

TEST(GdiFonts, StockFontsHaveTheirClassicSizes) {
    SurfaceDc s(10, 10);
    TEXTMETRICA tm{};
    SelectObject(s.dc(), GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(s.dc(), &tm);
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    SelectObject(s.dc(), GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsA(s.dc(), &tm);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);
    SelectObject(s.dc(), GetStockObject(SYSTEM_FONT));
}

TEST(GdiText, OpaqueClippedOutputSplitsOneTextIntoTwoColours) {
    // The percent bar: one text, drawn twice over complementary rectangles.
    const int width = 120, height = 16, split = 61;
    SurfaceDc s(width, height);
    SelectObject(s.dc(), GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = extent(s.dc(), "50%");
    int x = (width - size.cx) / 2, y = (height - size.cy) / 2;
    RECT remaining{split, 0, width, height};
    SetTextColor(s.dc(), RGB(0, 0, 64));
    SetBkColor(s.dc(), RGB(192, 192, 192));
    ExtTextOutA(s.dc(), x, y, ETO_CLIPPED | ETO_OPAQUE, &remaining, "50%", 3, nullptr);
    RECT done{0, 0, split, height};
    SetTextColor(s.dc(), RGB(255, 255, 255));
    SetBkColor(s.dc(), RGB(0, 0, 128));
    ExtTextOutA(s.dc(), x, y, ETO_CLIPPED | ETO_OPAQUE, &done, "50%", 3, nullptr);
    int white = 0, dark_blue = 0;
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < width; ++px) {
            COLORREF c = s.at(px, py);
            if (px < split) {
                ASSERT_TRUE(c == RGB(0, 0, 128) || c == RGB(255, 255, 255)) << px << "," << py;
                white += c == RGB(255, 255, 255);
            } else {
                ASSERT_TRUE(c == RGB(192, 192, 192) || c == RGB(0, 0, 64)) << px << "," << py;
                dark_blue += c == RGB(0, 0, 64);
            }
        }
    EXPECT_GT(white, 10);
    EXPECT_GT(dark_blue, 10);
    SelectObject(s.dc(), GetStockObject(SYSTEM_FONT));
}

TEST(GdiText, DrawTextWrapsCentresAndMeasures) {
    SurfaceDc s(200, 100);
    SelectObject(s.dc(), GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(s.dc(), &tm);
    const char* text = "For other great software utilities be sure to";
    RECT calc{0, 0, 90, 0};
    int height = DrawTextA(s.dc(), text, -1, &calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(height, 3 * tm.tmHeight);
    EXPECT_EQ(calc.bottom, height);
    EXPECT_LE(calc.right, 90);
    EXPECT_EQ(s.colours(), std::set<COLORREF>{RGB(255, 255, 255)});   // measuring draws nothing

    RECT one{0, 0, 200, 20};
    SetBkMode(s.dc(), TRANSPARENT);
    DrawTextA(s.dc(), "Centre", -1, &one, DT_CENTER | DT_SINGLELINE);
    SIZE size = extent(s.dc(), "Centre");
    auto ink = s.ink_columns(RGB(255, 255, 255));
    int middle = (ink.first + ink.second) / 2;
    EXPECT_NEAR(middle, 100, 3);
    EXPECT_LE(ink.second - ink.first, size.cx);

    // A word wider than the line is broken between characters instead of running out.
    const char* path = "C:\\WINDOWS\\Start_Menu\\Programs\\Sweeplux\\SWEEPLUX.EXE";
    RECT narrow{0, 0, 80, 0};
    int path_height = DrawTextA(s.dc(), path, -1, &narrow, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_GE(path_height, 2 * tm.tmHeight);
    EXPECT_LE(narrow.right, 80);

    // A hard line break gives two lines even without word wrapping.
    RECT two{0, 0, 200, 0};
    EXPECT_EQ(DrawTextA(s.dc(), "a\r\nb", -1, &two, DT_CALCRECT), 2 * tm.tmHeight);
    SelectObject(s.dc(), GetStockObject(SYSTEM_FONT));
}

TEST(GdiText, DrawTextUnderlinesTheMnemonicUnlessPrefixesAreOff) {
    auto draw = [](const char* text, UINT format, int& ink_width, int& underline_row) {
        SurfaceDc s(100, 20);
        SelectObject(s.dc(), GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA tm{};
        GetTextMetricsA(s.dc(), &tm);
        RECT r{0, 0, 100, 20};
        SetBkMode(s.dc(), TRANSPARENT);
        DrawTextA(s.dc(), text, -1, &r, format | DT_SINGLELINE);
        auto ink = s.ink_columns(RGB(255, 255, 255));
        ink_width = ink.second - ink.first + 1;
        underline_row = 0;
        for (int x = 0; x < 100; ++x) underline_row += s.at(x, tm.tmAscent + 1) != RGB(255, 255, 255);
        SelectObject(s.dc(), GetStockObject(SYSTEM_FONT));
    };
    int plain_w, plain_u, mnemonic_w, mnemonic_u, literal_w, literal_u;
    draw("Yes", 0, plain_w, plain_u);
    draw("&Yes", 0, mnemonic_w, mnemonic_u);
    draw("&Yes", DT_NOPREFIX, literal_w, literal_u);
    EXPECT_EQ(plain_w, mnemonic_w);            // the ampersand is not shown
    EXPECT_GT(mnemonic_u, plain_u + 3);        // an underline under the Y
    EXPECT_GT(literal_w, plain_w + 3);         // with prefixes off the ampersand shows
}
