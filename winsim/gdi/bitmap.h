// A device-dependent bitmap: pixels in the screen's format, selectable into a memory context.
#pragma once

#include "gdi/gdi_object.h"
#include "gdi/surface.h"

namespace winsim::gdi {

class Bitmap : public GdiObject {
public:
    Bitmap(int width, int height, int bits_per_pixel, std::uint32_t fill = 0)
        : surface_(width, height, fill), bits_per_pixel_(bits_per_pixel) {}
    ObjectKind kind() const override { return ObjectKind::Bitmap; }

    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    int width() const { return surface_.width(); }
    int height() const { return surface_.height(); }
    // 1 for the monochrome bitmap a new memory context holds, 32 for screen-compatible ones.
    int bits_per_pixel() const { return bits_per_pixel_; }

private:
    Surface surface_;
    int bits_per_pixel_;
};

}  // namespace winsim::gdi
