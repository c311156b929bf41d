#include "control_harness.h"

namespace controls_test {
namespace {

class PushButtonTest : public ControlsTest {};

TEST_F(PushButtonTest, AClickReleasedOnTheButtonNotifiesOnce) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 75, 23, 1);
    click(button, 5, 5);
    EXPECT_EQ(count(1, BN_CLICKED), 1);
    EXPECT_EQ(GetFocus(), button);
}

TEST_F(PushButtonTest, ReleasingOutsideAfterDraggingOffCancelsTheClick) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 75, 23, 1);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_FALSE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(count(1, BN_CLICKED), 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PushButtonTest, SpaceClicksOnRelease) {
    HWND button = create("Button", "OK", BS_PUSHBUTTON, 10, 10, 75, 23, 7);
    SetFocus(button);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(count(7, BN_CLICKED), 0);
    EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageA(button, WM_KEYUP, VK_SPACE, 1);
    EXPECT_EQ(count(7, BN_CLICKED), 1);
    // A key up without its key down is no click.
    SendMessageA(button, WM_KEYUP, VK_SPACE, 1);
    EXPECT_EQ(count(7, BN_CLICKED), 1);
}

TEST_F(PushButtonTest, DialogCodeFollowsTheDefaultStyle) {
    HWND button = create("Button", "OK", BS_DEFPUSHBUTTON, 10, 10, 75, 23, 1);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(PushButtonTest, PaintsTheClassicFaceAndDimsItsTextWhenDisabled) {
    HWND button = create("Button", "Wide Caption", BS_PUSHBUTTON, 10, 10, 120, 30, 1);
    settle();
    HDC dc = GetDC(button);
    // The face in the middle of the left end, clear of the text.
    EXPECT_EQ(GetPixel(dc, 6, 15), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(button, dc);
    auto has_color = [&](COLORREF color) {
        HDC d = GetDC(button);
        bool found = false;
        for (int y = 4; y < 26 && !found; ++y)
            for (int x = 4; x < 116 && !found; ++x) found = GetPixel(d, x, y) == color;
        ReleaseDC(button, d);
        return found;
    };
    EXPECT_TRUE(has_color(GetSysColor(COLOR_BTNTEXT)));
    EnableWindow(button, FALSE);
    settle();
    EXPECT_FALSE(has_color(GetSysColor(COLOR_BTNTEXT)));
    EXPECT_TRUE(has_color(GetSysColor(COLOR_GRAYTEXT)) || has_color(GetSysColor(COLOR_BTNSHADOW)));
}

}  // namespace
}  // namespace controls_test
