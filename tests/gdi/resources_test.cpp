// Bitmaps and icons loaded from the program's resources, and the system icons.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gdi/classic_style.h"
#include "surface_dc.h"
#include "win/gdi.h"
#include "win/kernel.h"
#include "winsim/resource_table.h"

using winsim::gdi::test::SurfaceDc;

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(v & 0xFF);
    out.push_back(v >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

void put_header(std::vector<std::uint8_t>& out, int width, int height, int bpp) {
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, bpp);
    for (int i = 0; i < 6; ++i) put32(out, 0);
}

void put_16_colours(std::vector<std::uint8_t>& out) {
    // Entry 0 black, 1 the key colour 0x808000 (teal), 2 red, 3 white, the rest grey.
    const std::uint32_t colours[4] = {0x000000, 0x008080, 0xFF0000, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) put32(out, i < 4 ? colours[i] : 0x808080);
}

// A 4-bit 12 x 8 bitmap like the panel picture: key colour with a red ring enclosing a key
// island, stored bottom row first.
std::vector<std::uint8_t> panel_bitmap() {
    std::vector<std::uint8_t> out;
    put_header(out, 12, 8, 4);
    put_16_colours(out);
    for (int stored = 0; stored < 8; ++stored) {
        int y = 7 - stored;
        std::uint8_t row[8] = {};
        for (int x = 0; x < 12; ++x) {
            bool ring = x >= 4 && x < 9 && y >= 2 && y < 7;
            bool island = x >= 5 && x < 8 && y >= 3 && y < 6;
            int v = island ? 1 : ring ? 2 : 1;
            row[x / 2] |= (x % 2) ? v : v << 4;
        }
        out.insert(out.end(), row, row + 8);
    }
    return out;
}

// A 4-bit square icon image of one colour index, transparent in its left half.
std::vector<std::uint8_t> icon_image(int size, int colour) {
    std::vector<std::uint8_t> out;
    put_header(out, size, 2 * size, 4);
    put_16_colours(out);
    int xor_stride = ((size * 4 + 31) / 32) * 4;
    for (int y = 0; y < size; ++y)
        for (int b = 0; b < xor_stride; ++b) {
            std::uint8_t v = 0;
            if (2 * b < size) v = static_cast<std::uint8_t>(colour << 4 | colour);
            // The left half's colour is 0, as transparent pixels are.
            if (2 * b < size / 2) v = 0;
            out.push_back(v);
        }
    int and_stride = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y)
        for (int b = 0; b < and_stride; ++b) {
            std::uint8_t m = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (b * 8 + bit < size / 2) m |= 0x80 >> bit;
            out.push_back(m);
        }
    return out;
}

std::vector<std::uint8_t> icon_group(const std::vector<std::pair<int, std::uint16_t>>& images, std::size_t bytes) {
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<std::uint16_t>(images.size()));
    for (auto [size, id] : images) {
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(16);
        out.push_back(0);
        put16(out, 1);
        put16(out, 4);
        put32(out, static_cast<std::uint32_t>(bytes));
        put16(out, id);
    }
    return out;
}

class GdiResources : public ::testing::Test {
protected:
    void SetUp() override {
        bitmap_ = panel_bitmap();
        small_ = icon_image(16, 2);   // red
        large_ = icon_image(32, 3);   // white
        group_ = icon_group({{32, 2}, {16, 1}}, small_.size());
        items_ = {
            {{2, nullptr}, {201, nullptr}, bitmap_.data(), static_cast<std::uint32_t>(bitmap_.size())},
            {{3, nullptr}, {1, nullptr}, small_.data(), static_cast<std::uint32_t>(small_.size())},
            {{3, nullptr}, {2, nullptr}, large_.data(), static_cast<std::uint32_t>(large_.size())},
            {{14, nullptr}, {100, nullptr}, group_.data(), static_cast<std::uint32_t>(group_.size())},
        };
        winsim::register_module_resources(winsim::ResourceTable{items_.data(), items_.size()});
        instance_ = GetModuleHandleA(nullptr);
    }
    void TearDown() override { winsim::register_module_resources(winsim::ResourceTable{nullptr, 0}); }

    std::vector<std::uint8_t> bitmap_, small_, large_, group_;
    std::vector<winsim::Resource> items_;
    HINSTANCE instance_ = nullptr;
};

}  // namespace

TEST_F(GdiResources, ALoadedBitmapIsFloodFilledInAMemoryContextAndBlitted) {
    SurfaceDc screen(40, 20);
    HDC memory = CreateCompatibleDC(screen.dc());
    HBITMAP picture = LoadBitmapA(instance_, MAKEINTRESOURCEA(201));
    ASSERT_NE(picture, nullptr);
    HGDIOBJ old_bitmap = SelectObject(memory, picture);
    HBRUSH panel = CreateSolidBrush(RGB(0, 24, 96));
    HGDIOBJ old_brush = SelectObject(memory, panel);
    ASSERT_TRUE(ExtFloodFill(memory, 1, 1, RGB(0, 128, 128), FLOODFILLSURFACE));
    ASSERT_TRUE(BitBlt(screen.dc(), 16, 4, 12, 8, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(screen.at(16, 4), RGB(0, 24, 96));       // the background, repainted
    EXPECT_EQ(screen.at(16 + 4, 4 + 2), RGB(255, 0, 0));
    EXPECT_EQ(screen.at(16 + 6, 4 + 4), RGB(0, 128, 128));   // the enclosed island keeps it
    EXPECT_EQ(screen.at(15, 4), RGB(255, 255, 255));
    SelectObject(memory, old_brush);
    SelectObject(memory, old_bitmap);
    EXPECT_TRUE(DeleteObject(picture));
    DeleteObject(panel);
    DeleteDC(memory);
}

TEST_F(GdiResources, MissingResourcesFailWithTheKernelsError) {
    SetLastError(0);
    EXPECT_EQ(LoadBitmapA(instance_, MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(LoadImageA(instance_, MAKEINTRESOURCEA(999), IMAGE_ICON, 16, 16, 0), nullptr);
}

TEST_F(GdiResources, LoadImagePicksTheImageNearestTheSizeAndDrawsItThroughItsMask) {
    struct Case {
        int size;
        COLORREF colour;
    };
    for (const Case& c : {Case{16, RGB(255, 0, 0)}, Case{32, RGB(255, 255, 255)}}) {
        HICON icon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(100), IMAGE_ICON, c.size, c.size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << c.size;
        SurfaceDc s(40, 40, RGB(0, 0, 255));
        ASSERT_TRUE(DrawIconEx(s.dc(), 2, 2, icon, c.size, c.size, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(s.at(2 + c.size / 4, 2 + c.size / 2), RGB(0, 0, 255)) << "masked half " << c.size;
        EXPECT_EQ(s.at(2 + c.size * 3 / 4, 2 + c.size / 2), c.colour) << c.size;
        EXPECT_EQ(s.at(2 + c.size, 2), RGB(0, 0, 255)) << c.size;
        EXPECT_TRUE(DestroyIcon(icon));
        EXPECT_FALSE(DestroyIcon(icon));
    }
    // No size: the image meant for the system size, at its own size.
    HICON natural = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(100), IMAGE_ICON, 0, 0, 0));
    SurfaceDc n(40, 40, RGB(0, 0, 255));
    DrawIconEx(n.dc(), 0, 0, natural, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(n.at(24, 16), RGB(255, 255, 255));
    EXPECT_EQ(n.at(32, 16), RGB(0, 0, 255));
    DestroyIcon(natural);

    // A size between the two is made from the nearest image, scaled.
    HICON icon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(100), IMAGE_ICON, 20, 20, 0));
    SurfaceDc s(40, 40, RGB(0, 0, 255));
    DrawIconEx(s.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(s.at(15, 10), RGB(255, 0, 0));
    EXPECT_EQ(s.at(20, 10), RGB(0, 0, 255));
    DestroyIcon(icon);
}

TEST_F(GdiResources, LoadIconIsSharedAtTheSystemSize) {
    HICON a = LoadIconA(instance_, MAKEINTRESOURCEA(100));
    HICON b = LoadIconA(instance_, MAKEINTRESOURCEA(100));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_TRUE(DestroyIcon(a));
    SurfaceDc s(40, 40, RGB(0, 0, 255));
    EXPECT_TRUE(DrawIconEx(s.dc(), 0, 0, b, 0, 0, 0, nullptr, DI_NORMAL));   // still there
    EXPECT_EQ(s.at(24, 16), RGB(255, 255, 255));
}

TEST_F(GdiResources, ADisabledIconIsEmbossedInWhiteAndGrey) {
    SurfaceDc s(40, 40, RGB(192, 192, 192));
    winsim::gdi::classic::draw_disabled_icon(s.dc(), 0, 0, LoadIconA(nullptr, IDI_ERROR), 32, 32);
    auto colours = s.colours();
    EXPECT_TRUE(colours.count(RGB(128, 128, 128)));
    EXPECT_TRUE(colours.count(RGB(255, 255, 255)));
    EXPECT_EQ(colours.size(), 3u);
}

TEST(GdiSystemIcons, EachMessageBoxIconHasItsOwnPicture) {
    struct Case {
        LPCSTR id;
        COLORREF signature;   // a colour only that picture has
    };
    const Case cases[] = {{IDI_WARNING, RGB(255, 255, 0)}, {IDI_ERROR, RGB(255, 0, 0)},
                          {IDI_QUESTION, RGB(0, 0, 255)}, {IDI_INFORMATION, RGB(0, 0, 255)},
                          {IDI_APPLICATION, RGB(0, 0, 128)}};
    for (const Case& c : cases) {
        HICON icon = LoadIconA(nullptr, c.id);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(LoadIconA(nullptr, c.id), icon);
        SurfaceDc s(32, 32, RGB(0, 128, 128));
        DrawIconEx(s.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        auto colours = s.colours();
        EXPECT_TRUE(colours.count(c.signature));
        EXPECT_TRUE(colours.count(RGB(0, 128, 128))) << "corners stay transparent";
    }
    SetLastError(0);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}
