// Drawing from the system image list into a device context: masked, and blended with the
// highlight colour when selected.
#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>
#include <windows.h>

#include "gdi/surface.h"
#include "gdi/window_dc.h"
#include "scratch_machine.h"

namespace {

using winsim::gdi::Region;
using winsim::gdi::Surface;

constexpr std::uint32_t white = 0xFFFFFF;

// A white surface with a device context over all of it.
class Canvas {
public:
    Canvas(int width, int height) : surface_(width, height, white) {
        dc_ = winsim::gdi::open_window_dc(surface_, POINT{0, 0}, Region(RECT{0, 0, width, height}));
    }
    ~Canvas() { winsim::gdi::close_window_dc(dc_); }
    HDC dc() const { return dc_; }
    std::uint32_t at(int x, int y) const { return surface_.pixel(x, y) & 0xFFFFFF; }
    bool untouched() const {
        for (int y = 0; y < surface_.height(); ++y)
            for (int x = 0; x < surface_.width(); ++x)
                if (at(x, y) != white) return false;
        return true;
    }

private:
    Surface surface_;
    HDC dc_;
};

std::uint32_t half_way(std::uint32_t a, std::uint32_t b) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift;
    return out;
}

class ImageListDraw : public ::testing::Test {
protected:
    void SetUp() override {
        SHFILEINFOA info{};
        list = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
        ASSERT_NE(list, nullptr);
        drive = info.iIcon;
    }
    ScratchMachine machine;
    HIMAGELIST list = nullptr;
    int drive = -1;
};

// Probes of the fixed drive's picture, relative to its top left corner: a corner outside the
// mask, the black outline, the white top edge, the grey face and the green light.
struct Probe {
    int x, y;
    std::uint32_t rgb;  // 0x00RRGGBB; white also for "not painted"
};
const Probe drive_probes[] = {
    {0, 0, white}, {1, 6, 0x000000}, {2, 6, 0xFFFFFF}, {3, 7, 0xC0C0C0}, {11, 8, 0x00FF00}, {15, 15, white},
};

TEST_F(ImageListDraw, NormalDrawsOnlyThePixelsOfTheMask) {
    Canvas canvas(24, 24);
    ASSERT_TRUE(ImageList_Draw(list, drive, canvas.dc(), 4, 2, ILD_NORMAL));
    for (const Probe& p : drive_probes) EXPECT_EQ(canvas.at(4 + p.x, 2 + p.y), p.rgb) << p.x << "," << p.y;
    EXPECT_EQ(canvas.at(3, 8), white);  // left of the picture
}

TEST_F(ImageListDraw, SelectedBlendsHalfWithTheHighlightColour) {
    const std::uint32_t highlight = winsim::gdi::rgb_of(GetSysColor(COLOR_HIGHLIGHT));
    Canvas canvas(24, 24);
    ASSERT_TRUE(ImageList_Draw(list, drive, canvas.dc(), 0, 0, ILD_SELECTED));
    for (const Probe& p : drive_probes) {
        const bool outside = (p.x == 0 && p.y == 0) || (p.x == 15 && p.y == 15);
        EXPECT_EQ(canvas.at(p.x, p.y), outside ? white : half_way(p.rgb, highlight)) << p.x << "," << p.y;
    }
    // The classic highlight is navy: black becomes dark blue.
    EXPECT_EQ(canvas.at(1, 6), 0x000040u);
}

TEST_F(ImageListDraw, DrawingIsClippedToTheContext) {
    Canvas canvas(8, 8);
    ASSERT_TRUE(ImageList_Draw(list, drive, canvas.dc(), -1, -4, ILD_NORMAL));
    EXPECT_EQ(canvas.at(0, 2), 0x000000u);  // (1, 6) of the picture
    EXPECT_EQ(canvas.at(2, 3), 0xC0C0C0u);  // (3, 7)
}

TEST_F(ImageListDraw, UnknownImagesAndListsDrawNothing) {
    Canvas canvas(16, 16);
    EXPECT_FALSE(ImageList_Draw(list, ImageList_GetImageCount(list), canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Draw(list, -1, canvas.dc(), 0, 0, ILD_NORMAL));
    int not_a_list = 0;
    EXPECT_FALSE(ImageList_Draw(reinterpret_cast<HIMAGELIST>(&not_a_list), 0, canvas.dc(), 0, 0, ILD_NORMAL));
    EXPECT_FALSE(ImageList_Draw(list, drive, nullptr, 0, 0, ILD_NORMAL));
    EXPECT_TRUE(canvas.untouched());
}

}  // namespace
