// A block of 32-bit pixels (0x00RRGGBB) that windows, memory bitmaps and the screen draw into.
#pragma once

#include <cstdint>
#include <vector>

namespace winsim::gdi {

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, std::uint32_t fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ <= 0 || height_ <= 0; }

    // Changes the size; kept pixels stay where they were, new ones get `fill`.
    void resize(int width, int height, std::uint32_t fill = 0);

    std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const std::uint32_t* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::uint32_t pixel(int x, int y) const { return row(y)[x]; }
    void set_pixel(int x, int y, std::uint32_t rgb) { row(y)[x] = rgb; }
    void fill(std::uint32_t rgb);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Pixel value of a colour reference (0x00BBGGRR) and back.
inline std::uint32_t rgb_of(std::uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}
inline std::uint32_t colorref_of(std::uint32_t rgb) { return rgb_of(rgb); }

}  // namespace winsim::gdi
