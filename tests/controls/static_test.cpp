#include "control_harness.h"

namespace controls_test {
namespace {

class StaticTest : public ControlsTest {
protected:
    static bool has_color(HWND hwnd, COLORREF color) {
        RECT c{};
        GetClientRect(hwnd, &c);
        HDC dc = GetDC(hwnd);
        bool found = false;
        for (int y = 0; y < c.bottom && !found; ++y)
            for (int x = 0; x < c.right && !found; ++x) found = GetPixel(dc, x, y) == color;
        ReleaseDC(hwnd, dc);
        return found;
    }
};

TEST_F(StaticTest, UsesTheBrushAndColoursTheParentAnswers) {
    static_brush = CreateSolidBrush(RGB(255, 0, 0));
    HWND label = create("Static", "Heading", SS_CENTER, 10, 10, 150, 30, 700);
    settle();
    HDC dc = GetDC(label);
    EXPECT_EQ(GetPixel(dc, 1, 28), RGB(255, 0, 0));
    ReleaseDC(label, dc);
    EXPECT_TRUE(has_color(label, GetSysColor(COLOR_WINDOWTEXT)));
    DeleteObject(static_brush);
    static_brush = nullptr;
}

TEST_F(StaticTest, DisabledTextIsGrey) {
    HWND label = create("Static", "Disabled", SS_LEFT | WS_DISABLED, 10, 10, 150, 20, 0);
    settle();
    EXPECT_FALSE(has_color(label, GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_TRUE(has_color(label, GetSysColor(COLOR_GRAYTEXT)) || has_color(label, GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(StaticTest, SetTextRepaintsAndWrapsAtWords) {
    HWND label = create("Static", "", SS_LEFT, 10, 10, 60, 60, 400);
    settle();
    EXPECT_FALSE(has_color(label, GetSysColor(COLOR_WINDOWTEXT)));
    SetWindowTextA(label, "C:\\Program Files\\Some Folder");
    settle();
    EXPECT_EQ(text_of(label), "C:\\Program Files\\Some Folder");
    // The second line of the wrapped text has ink.
    HDC dc = GetDC(label);
    bool second_line = false;
    for (int y = 14; y < 26 && !second_line; ++y)
        for (int x = 0; x < 60 && !second_line; ++x) second_line = GetPixel(dc, x, y) == GetSysColor(COLOR_WINDOWTEXT);
    ReleaseDC(label, dc);
    EXPECT_TRUE(second_line);
}

TEST_F(StaticTest, SunkenHasTheHalfSunkenEdgeOutsideItsClientArea) {
    HWND frame = create("Static", "", SS_SUNKEN, 10, 10, 100, 40, 0);
    RECT window{};
    RECT client{};
    GetWindowRect(frame, &window);
    GetClientRect(frame, &client);
    EXPECT_EQ(window.right - window.left - client.right, 2);
    EXPECT_TRUE(GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_STATICEDGE);
}

TEST_F(StaticTest, IconStaticTakesTheIconsSizeAndPassesClicksThrough) {
    HWND icon = create("Static", "", SS_ICON, 10, 10, 20, 20, 0);
    HICON system = LoadIconA(nullptr, IDI_WARNING);
    ASSERT_NE(system, nullptr);
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(system), 0);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)), system);
    RECT r{};
    GetClientRect(icon, &r);
    EXPECT_EQ(r.right, 32);
    EXPECT_EQ(r.bottom, 32);
    EXPECT_EQ(SendMessageA(icon, WM_NCHITTEST, 0, MAKELPARAM(15, 15)), HTTRANSPARENT);
}

}  // namespace
}  // namespace controls_test
