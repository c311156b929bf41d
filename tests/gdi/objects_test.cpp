// Device contexts and drawing objects: selection answers, deletion rules, stock objects and
// the classic system colours.
#include <gtest/gtest.h>

#include "surface_dc.h"
#include "win/gdi.h"
#include "win/kernel.h"

using winsim::gdi::test::SurfaceDc;

TEST(GdiObjects, SelectObjectAnswersThePreviousObjectOfEachKind) {
    SurfaceDc s(8, 8);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    EXPECT_EQ(SelectObject(s.dc(), red), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(s.dc(), blue), red);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_EQ(SelectObject(s.dc(), pen), GetStockObject(BLACK_PEN));
    LOGFONTA lf{};
    lf.lfHeight = -11;
    HFONT font = CreateFontIndirectA(&lf);
    EXPECT_EQ(SelectObject(s.dc(), font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(s.dc(), GetStockObject(SYSTEM_FONT)), font);
    SelectObject(s.dc(), GetStockObject(WHITE_BRUSH));
    SelectObject(s.dc(), GetStockObject(BLACK_PEN));
    for (HGDIOBJ o : {(HGDIOBJ)red, (HGDIOBJ)blue, (HGDIOBJ)pen, (HGDIOBJ)font}) EXPECT_TRUE(DeleteObject(o));
}

TEST(GdiObjects, DeletedAndUnknownHandlesFailWithInvalidHandle) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    ASSERT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SurfaceDc s(4, 4);
    EXPECT_EQ(SelectObject(s.dc(), brush), nullptr);
    EXPECT_EQ(SetTextColor(reinterpret_cast<HDC>(0x1234), 0), CLR_INVALID);
}

TEST(GdiObjects, ABitmapLivesInOneMemoryContextAndCannotBeDeletedWhileSelected) {
    SurfaceDc screen(4, 4);
    HDC a = CreateCompatibleDC(screen.dc());
    HDC b = CreateCompatibleDC(screen.dc());
    HBITMAP bitmap = CreateCompatibleBitmap(screen.dc(), 10, 5);
    HGDIOBJ original = SelectObject(a, bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(SelectObject(b, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 10);
    EXPECT_EQ(info.bmHeight, 5);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(SelectObject(a, original), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_TRUE(DeleteDC(b));
    EXPECT_FALSE(DeleteDC(a));
}

TEST(GdiObjects, AMemoryContextStartsMonochromeAndBitmapsMadeFromItAreToo) {
    HDC memory = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(memory, 8, 8);
    BITMAP info{};
    GetObjectA(mono, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 1);
    DeleteObject(mono);
    DeleteDC(memory);
}

TEST(GdiObjects, StockObjectsSurviveDeletion) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));
    SurfaceDc s(4, 4, RGB(0, 0, 0));
    RECT r{0, 0, 4, 4};
    EXPECT_TRUE(FillRect(s.dc(), &r, static_cast<HBRUSH>(white)));
    EXPECT_EQ(s.at(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(GdiObjects, SystemColoursFollowTheClassicScheme) {
    struct Case {
        int index;
        COLORREF color;
    };
    const Case cases[] = {
        {COLOR_BTNFACE, RGB(192, 192, 192)},     {COLOR_WINDOW, RGB(255, 255, 255)},
        {COLOR_HIGHLIGHT, RGB(0, 0, 128)},       {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
        {COLOR_WINDOWTEXT, RGB(0, 0, 0)},        {COLOR_ACTIVECAPTION, RGB(0, 0, 128)},
        {COLOR_INACTIVECAPTION, RGB(128, 128, 128)}, {COLOR_CAPTIONTEXT, RGB(255, 255, 255)},
        {COLOR_BTNSHADOW, RGB(128, 128, 128)},   {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
        {COLOR_3DDKSHADOW, RGB(0, 0, 0)},        {COLOR_3DLIGHT, RGB(192, 192, 192)},
        {COLOR_GRAYTEXT, RGB(128, 128, 128)},    {COLOR_BTNTEXT, RGB(0, 0, 0)},
        {COLOR_SCROLLBAR, RGB(192, 192, 192)},   {COLOR_INFOBK, RGB(255, 255, 225)},
    };
    SurfaceDc s(1, 1);
    RECT r{0, 0, 1, 1};
    for (const Case& c : cases) {
        EXPECT_EQ(GetSysColor(c.index), c.color) << c.index;
        // The system brush and the "index + 1" brush of FillRect paint the same colour.
        FillRect(s.dc(), &r, GetSysColorBrush(c.index));
        EXPECT_EQ(s.at(0, 0), c.color) << c.index;
        FillRect(s.dc(), &r, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(c.index + 1)));
        EXPECT_EQ(s.at(0, 0), c.color) << c.index;
    }
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
}
