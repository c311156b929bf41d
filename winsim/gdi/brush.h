// A solid brush, or the null brush that paints nothing.
#pragma once

#include <cstdint>

#include "gdi/gdi_object.h"
#include "gdi/surface.h"

namespace winsim::gdi {

class Brush : public GdiObject {
public:
    static constexpr struct Hollow {} hollow{};
    explicit Brush(COLORREF color) : color_(color & 0xFFFFFF), null_(false) {}
    explicit Brush(Hollow) : color_(0), null_(true) {}
    ObjectKind kind() const override { return ObjectKind::Brush; }

    bool null() const { return null_; }
    COLORREF color() const { return color_; }
    std::uint32_t rgb() const { return rgb_of(color_); }

private:
    COLORREF color_;
    bool null_;
};

}  // namespace winsim::gdi
