// A screenshot read back from its PNG file, with the probes scenario tests make on it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

struct PixelBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
};

class Screenshot {
public:
    // Reads the file; a missing or broken file gives an empty shot (loaded() is false).
    explicit Screenshot(const std::filesystem::path& png);

    bool loaded() const { return width_ > 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::uint32_t at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Pixels of exactly this colour (0xRRGGBB) inside the box.
    int count(const PixelBox& box, std::uint32_t rgb) const;
    // The smallest box around the pixels inside `area` whose colour is none of `background`.
    PixelBox bounds_without(const PixelBox& area, const std::vector<std::uint32_t>& background) const;
    // The smallest box around the pixels inside `area` of exactly this colour.
    PixelBox bounds_of(const PixelBox& area, std::uint32_t rgb) const;
    // True when the w x h block at (x1, y1) here equals the one at (x2, y2) of `other`.
    bool same_block(int x1, int y1, const Screenshot& other, int x2, int y2, int w, int h) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};
