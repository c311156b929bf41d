// A pen: style (solid, inside-frame or null), width in pixels and colour.
#pragma once

#include <cstdint>

#include "gdi/gdi_object.h"
#include "gdi/surface.h"
#include "win/gdi.h"

namespace winsim::gdi {

class Pen : public GdiObject {
public:
    Pen(int style, int width, COLORREF color)
        : style_(style), width_(width < 1 ? 1 : width), color_(color & 0xFFFFFF) {}
    ObjectKind kind() const override { return ObjectKind::Pen; }

    int style() const { return style_; }
    bool null() const { return style_ == PS_NULL; }
    bool inside_frame() const { return style_ == PS_INSIDEFRAME; }
    int width() const { return width_; }
    COLORREF color() const { return color_; }
    std::uint32_t rgb() const { return rgb_of(color_); }

private:
    int style_;
    int width_;
    COLORREF color_;
};

}  // namespace winsim::gdi
