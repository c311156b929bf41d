#include <commctrl.h>

#include "control_harness.h"

namespace controls_test {
namespace {

class ProgressBarTest : public ControlsTest {
protected:
    HWND make() { return create(PROGRESS_CLASSA, "", 0, 10, 10, 190, 14, 601); }
};

TEST_F(ProgressBarTest, StepsThroughItsRange) {
    HWND bar = make();
    EXPECT_EQ(SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 5)), MAKELONG(0, 100));
    EXPECT_EQ(SendMessageA(bar, PBM_SETSTEP, 1, 0), 10);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(SendMessageA(bar, PBM_STEPIT, 0, 0), i);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 5);
    // Past the end it starts over.
    SendMessageA(bar, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 1);
}

TEST_F(ProgressBarTest, PositionsAreKeptInsideTheRange) {
    HWND bar = make();
    EXPECT_EQ(SendMessageA(bar, PBM_SETPOS, 150, 0), 0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 100);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(10, 20));
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 20);
    SendMessageA(bar, PBM_SETPOS, 0, 0);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 10);
    PBRANGE range{};
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 10);
    EXPECT_EQ(range.iHigh, 20);
}

TEST_F(ProgressBarTest, DrawsHighlightBlocksUpToThePosition) {
    HWND bar = make();
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 2));
    SendMessageA(bar, PBM_SETPOS, 1, 0);
    settle();
    RECT c{};
    GetClientRect(bar, &c);
    HDC dc = GetDC(bar);
    int mid = c.bottom / 2;
    EXPECT_EQ(GetPixel(dc, 3, mid), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(GetPixel(dc, c.right - 4, mid), GetSysColor(COLOR_BTNFACE));
    // The top left of the field is the edge's shadow.
    EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    ReleaseDC(bar, dc);
}

TEST(CommonControls, InitRegistersOnlyWhatItHas) {
    InitCommonControls();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    EXPECT_TRUE(GetClassInfoExA(nullptr, PROGRESS_CLASSA, &wc));
    INITCOMMONCONTROLSEX progress{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    EXPECT_TRUE(InitCommonControlsEx(&progress));
    INITCOMMONCONTROLSEX lists{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    EXPECT_FALSE(InitCommonControlsEx(&lists));
    INITCOMMONCONTROLSEX bad{0, ICC_PROGRESS_CLASS};
    EXPECT_FALSE(InitCommonControlsEx(&bad));
}

}  // namespace
}  // namespace controls_test
