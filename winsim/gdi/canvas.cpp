#include "gdi/canvas.h"

#include <algorithm>

namespace winsim::gdi {

void Canvas::fill(const RECT& logical, std::uint32_t rgb) {
    for_each_visible(logical, [&](const RECT& r) {
        for (int y = r.top; y < r.bottom; ++y) std::fill(surface_.row(y) + r.left, surface_.row(y) + r.right, rgb);
    });
}

void Canvas::invert(const RECT& logical) {
    for_each_visible(logical, [&](const RECT& r) {
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint32_t* row = surface_.row(y);
            for (int x = r.left; x < r.right; ++x) row[x] ^= 0xFFFFFF;
        }
    });
}

}  // namespace winsim::gdi
