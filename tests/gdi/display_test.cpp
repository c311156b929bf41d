// The headless screen: composition of window layers, the configured size and PNG shots.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "host/display.h"
#include "host/headless_display.h"

using winsim::gdi::Surface;
using winsim::host::HeadlessDisplay;
using winsim::host::Layer;

namespace {

// Reads an RGB PNG back as 0x00RRGGBB pixels.
bool read_png(const std::string& path, int& width, int& height, std::vector<std::uint32_t>& pixels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return false;
    width = image.width;
    height = image.height;
    pixels.resize(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = (bytes[3 * i] << 16) | (bytes[3 * i + 1] << 8) | bytes[3 * i + 2];
    return true;
}

}  // namespace

TEST(Display, TheScreenSizeComesFromTheEnvironmentAndPicksTheHeadlessDisplay) {
    // Set before anything in this program asks for the screen.
    setenv("WINSIM_SCREEN", "800x600", 1);
    setenv("WINSIM_DISPLAY", "headless", 1);
    SIZE size = winsim::host::screen_size();
    EXPECT_EQ(size.cx, 800);
    EXPECT_EQ(size.cy, 600);
    winsim::host::Display& d = winsim::host::display();
    EXPECT_EQ(d.width(), 800);
    EXPECT_EQ(d.height(), 600);
    winsim::host::InputEvent event;
    EXPECT_FALSE(d.poll_input(event));
}

TEST(Display, PresentLaysLayersBottomFirstOverTheDesktopAndClipsThemToTheScreen) {
    HeadlessDisplay d(100, 80);
    Surface backdrop(100, 80, 0x601800);
    Surface page(40, 30, 0xC0C0C0);
    Surface beyond(40, 40, 0xFF0000);   // hangs over the bottom right corner
    const Layer layers[] = {{&backdrop, 0, 0}, {&page, 10, 20}, {&beyond, 80, 60}};
    d.present(layers);
    EXPECT_EQ(d.screen().pixel(0, 0), 0x601800u);
    EXPECT_EQ(d.screen().pixel(10, 20), 0xC0C0C0u);
    EXPECT_EQ(d.screen().pixel(49, 49), 0xC0C0C0u);
    EXPECT_EQ(d.screen().pixel(50, 50), 0x601800u);
    EXPECT_EQ(d.screen().pixel(99, 79), 0xFF0000u);

    // A window under a full-screen one does not show.
    const Layer hidden[] = {{&page, 10, 20}, {&backdrop, 0, 0}};
    d.present(hidden);
    EXPECT_EQ(d.screen().pixel(10, 20), 0x601800u);

    // With the backdrop gone, the classic desktop colour shows.
    const Layer only_page[] = {{&page, -20, -10}};
    d.present(only_page);
    EXPECT_EQ(d.screen().pixel(0, 0), 0xC0C0C0u);
    EXPECT_EQ(d.screen().pixel(19, 19), 0xC0C0C0u);
    EXPECT_EQ(d.screen().pixel(20, 20), 0x008080u);
}

TEST(Display, SavePngWritesTheLastPresentedScreen) {
    HeadlessDisplay d(64, 48);
    Surface picture(64, 48, 0x000080);
    for (int x = 0; x < 64; ++x) picture.set_pixel(x, 10, 0xFFD8CF);
    const Layer layers[] = {{&picture, 0, 0}};
    d.present(layers);
    auto path = std::filesystem::temp_directory_path() / ("winsim_shot_" + std::to_string(getpid()) + ".png");
    std::string error;
    ASSERT_TRUE(d.save_png(path.string(), error)) << error;
    int w = 0, h = 0;
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(read_png(path.string(), w, h, pixels));
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 48);
    EXPECT_EQ(pixels[0], 0x000080u);
    EXPECT_EQ(pixels[10 * 64 + 33], 0xFFD8CFu);
    std::filesystem::remove(path);

    EXPECT_FALSE(d.save_png("/nonexistent-folder/x.png", error));
    EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos);
}
