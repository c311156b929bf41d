// Clipped pixel operations on a surface, in the logical coordinates of a device context:
// the one place where drawing meets memory.
#pragma once

#include <cstdint>

#include "gdi/region.h"
#include "gdi/surface.h"
#include "win/base.h"

namespace winsim::gdi {

class Canvas {
public:
    // `clip` is in surface coordinates and must lie within the surface; logical (0, 0) is at
    // `origin` of the surface.
    Canvas(Surface& surface, const Region& clip, POINT origin)
        : surface_(surface), clip_(clip), origin_(origin) {}

    Surface& surface() { return surface_; }
    const Region& clip() const { return clip_; }
    POINT origin() const { return origin_; }

    // Calls f(surface_rect) for each part of the logical rectangle inside the clip.
    template <typename F>
    void for_each_visible(const RECT& logical, F&& f) const {
        RECT r{logical.left + origin_.x, logical.top + origin_.y, logical.right + origin_.x,
               logical.bottom + origin_.y};
        if (rect_empty(r)) return;
        for (const RECT& c : clip_.rects()) {
            RECT part = rect_intersection(r, c);
            if (!rect_empty(part)) f(part);
        }
    }

    bool visible(int x, int y) const { return clip_.contains(x + origin_.x, y + origin_.y); }
    std::uint32_t pixel(int x, int y) const { return surface_.pixel(x + origin_.x, y + origin_.y); }
    void plot(int x, int y, std::uint32_t rgb) {
        if (visible(x, y)) surface_.set_pixel(x + origin_.x, y + origin_.y, rgb);
    }
    void fill(const RECT& logical, std::uint32_t rgb);
    void invert(const RECT& logical);
    void xor_pixel(int x, int y, std::uint32_t mask) {
        if (visible(x, y)) surface_.row(y + origin_.y)[x + origin_.x] ^= mask;
    }

private:
    Surface& surface_;
    const Region& clip_;
    POINT origin_;
};

}  // namespace winsim::gdi
