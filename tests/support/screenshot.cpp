#include "screenshot.h"

#include <png.h>

#include <algorithm>

Screenshot::Screenshot(const std::filesystem::path& png) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, png.c_str())) return;
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return;
    width_ = static_cast<int>(image.width);
    height_ = static_cast<int>(image.height);
    pixels_.resize(static_cast<std::size_t>(width_) * height_);
    for (std::size_t i = 0; i < pixels_.size(); ++i)
        pixels_[i] = (std::uint32_t(bytes[3 * i]) << 16) | (std::uint32_t(bytes[3 * i + 1]) << 8) |
                     bytes[3 * i + 2];
}

int Screenshot::count(const PixelBox& box, std::uint32_t rgb) const {
    int n = 0;
    for (int y = std::max(box.top, 0); y < std::min(box.bottom, height_); ++y)
        for (int x = std::max(box.left, 0); x < std::min(box.right, width_); ++x)
            if (at(x, y) == rgb) ++n;
    return n;
}

namespace {

template <typename Match>
PixelBox bounds_where(const Screenshot& shot, const PixelBox& area, Match match) {
    PixelBox found{area.right, area.bottom, area.left, area.top};
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, shot.height()); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, shot.width()); ++x)
            if (match(shot.at(x, y))) {
                found.left = std::min(found.left, x);
                found.top = std::min(found.top, y);
                found.right = std::max(found.right, x + 1);
                found.bottom = std::max(found.bottom, y + 1);
            }
    if (found.empty()) return PixelBox{};
    return found;
}

}  // namespace

PixelBox Screenshot::bounds_without(const PixelBox& area,
                                    const std::vector<std::uint32_t>& background) const {
    return bounds_where(*this, area, [&](std::uint32_t p) {
        return std::find(background.begin(), background.end(), p) == background.end();
    });
}

PixelBox Screenshot::bounds_of(const PixelBox& area, std::uint32_t rgb) const {
    return bounds_where(*this, area, [&](std::uint32_t p) { return p == rgb; });
}

bool Screenshot::same_block(int x1, int y1, const Screenshot& other, int x2, int y2, int w, int h) const {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (x1 + x >= width_ || y1 + y >= height_ || x2 + x >= other.width_ || y2 + y >= other.height_)
                return false;
            if (at(x1 + x, y1 + y) != other.at(x2 + x, y2 + y)) return false;
        }
    return true;
}
