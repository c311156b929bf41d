// Statics that show a picture from the program's resources, named by number as a dialog
// template names them.
#include <cstdint>
#include <vector>

#include "control_harness.h"
#include "winsim/resource_table.h"

namespace controls_test {
namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}
void put_info_header(std::vector<std::uint8_t>& out, int width, int height, int bpp) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bpp));
    for (int i = 0; i < 6; ++i) put32(out, 0);
}

// A 4 x 4 picture of 24-bit pixels: blue at the top left, green elsewhere.
std::vector<std::uint8_t> picture() {
    std::vector<std::uint8_t> out;
    put_info_header(out, 4, 4, 24);
    for (int stored = 0; stored < 4; ++stored) {
        int y = 3 - stored;
        for (int x = 0; x < 4; ++x) {
            bool corner = x == 0 && y == 0;
            out.push_back(corner ? 0xFF : 0x00);   // blue
            out.push_back(corner ? 0x00 : 0xFF);   // green
            out.push_back(0x00);                   // red
        }
    }
    return out;
}

// A 32 x 32 icon image of 16 colours, all of it opaque black (colour 0).
std::vector<std::uint8_t> icon_image() {
    std::vector<std::uint8_t> out;
    put_info_header(out, 32, 64, 4);
    for (int i = 0; i < 16; ++i) put32(out, i == 0 ? 0x000000 : 0xFFFFFF);
    out.insert(out.end(), 32 * 16, 0x00);   // colour indexes
    out.insert(out.end(), 32 * 4, 0x00);    // mask: every pixel opaque
    return out;
}

std::vector<std::uint8_t> icon_group(std::size_t image_bytes) {
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    out.push_back(32);
    out.push_back(32);
    out.push_back(16);
    out.push_back(0);
    put16(out, 1);
    put16(out, 4);
    put32(out, static_cast<std::uint32_t>(image_bytes));
    put16(out, 7);
    return out;
}

class StaticPictureTest : public ControlsTest {
protected:
    void SetUp() override {
        bitmap_ = picture();
        image_ = icon_image();
        group_ = icon_group(image_.size());
        items_ = {
            {{2, nullptr}, {200, nullptr}, bitmap_.data(), static_cast<std::uint32_t>(bitmap_.size())},
            {{3, nullptr}, {7, nullptr}, image_.data(), static_cast<std::uint32_t>(image_.size())},
            {{14, nullptr}, {100, nullptr}, group_.data(), static_cast<std::uint32_t>(group_.size())},
        };
        winsim::register_module_resources(winsim::ResourceTable{items_.data(), items_.size()});
        ControlsTest::SetUp();
    }
    void TearDown() override {
        ControlsTest::TearDown();
        winsim::register_module_resources(winsim::ResourceTable{nullptr, 0});
    }
    HWND picture_static(DWORD style, int id, int w, int h) {
        return CreateWindowExA(0, "Static", MAKEINTRESOURCEA(id), WS_CHILD | WS_VISIBLE | style, 10, 10, w, h,
                               parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    static COLORREF pixel(HWND hwnd, int x, int y) {
        HDC dc = GetDC(hwnd);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd, dc);
        return c;
    }

    std::vector<std::uint8_t> bitmap_, image_, group_;
    std::vector<winsim::Resource> items_;
};

TEST_F(StaticPictureTest, AnIconNamedByNumberIsLoadedAndGreyedWhenDisabled) {
    HWND icon = picture_static(SS_ICON, 100, 20, 20);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
    EXPECT_EQ(text_of(icon), "");
    RECT r{};
    GetClientRect(icon, &r);
    EXPECT_EQ(r.right, 32);
    settle();
    EXPECT_EQ(pixel(icon, 16, 16), RGB(0, 0, 0));
    EnableWindow(icon, FALSE);
    settle();
    // The disabled look shows the black picture as grey, with a white shadow.
    EXPECT_EQ(pixel(icon, 16, 16), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(StaticPictureTest, ACentredBitmapKeepsTheControlsSizeAndFillsTheMarginFromItsCorner) {
    HWND pic = picture_static(SS_BITMAP | SS_CENTERIMAGE, 200, 40, 30);
    ASSERT_NE(pic, nullptr);
    RECT r{};
    GetClientRect(pic, &r);
    EXPECT_EQ(r.right, 40);
    EXPECT_EQ(r.bottom, 30);
    settle();
    EXPECT_EQ(pixel(pic, 1, 1), RGB(0, 0, 255));            // the margin, in the corner's blue
    EXPECT_EQ(pixel(pic, 18, 13), RGB(0, 0, 255));          // the bitmap's own corner at (18, 13)
    EXPECT_EQ(pixel(pic, 20, 15), RGB(0, 255, 0));
}

TEST_F(StaticPictureTest, AnUncentredBitmapSizesTheControlToIt) {
    HWND pic = picture_static(SS_BITMAP, 200, 40, 30);
    ASSERT_NE(pic, nullptr);
    RECT r{};
    GetClientRect(pic, &r);
    EXPECT_EQ(r.right, 4);
    EXPECT_EQ(r.bottom, 4);
}

}  // namespace
}  // namespace controls_test
