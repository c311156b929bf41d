#include "gdi/surface.h"

#include <algorithm>

namespace winsim::gdi {

Surface::Surface(int width, int height, std::uint32_t fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

void Surface::resize(int width, int height, std::uint32_t fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    std::vector<std::uint32_t> next(static_cast<std::size_t>(width) * height, fill);
    int keep_w = std::min(width, width_);
    int keep_h = std::min(height, height_);
    for (int y = 0; y < keep_h; ++y)
        std::copy_n(row(y), keep_w, next.data() + static_cast<std::size_t>(y) * width);
    pixels_ = std::move(next);
    width_ = width;
    height_ = height;
}

void Surface::fill(std::uint32_t rgb) { std::fill(pixels_.begin(), pixels_.end(), rgb); }

}  // namespace winsim::gdi
