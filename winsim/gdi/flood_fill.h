// ExtFloodFill: repaints the 4-connected area around a point, either the area of one colour
// (surface mode) or everything up to a border colour (border mode), within the clip.
#pragma once

#include <cstdint>

#include "gdi/canvas.h"

namespace winsim::gdi {

class FloodFill {
public:
    enum class Mode { Surface, Border };

    FloodFill(Canvas& canvas, std::uint32_t key_rgb, Mode mode)
        : canvas_(canvas), key_(key_rgb), mode_(mode) {}

    // False, painting nothing, when the start point is outside the clip or cannot be filled
    // (not the surface colour, or the border colour itself).
    bool fill(int x, int y, std::uint32_t paint_rgb);

private:
    Canvas& canvas_;
    std::uint32_t key_;
    Mode mode_;
};

}  // namespace winsim::gdi
