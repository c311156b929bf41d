// A test canvas: a surface and a window device context that covers it.
#pragma once

#include <cstdint>
#include <set>

#include "gdi/surface.h"
#include "gdi/window_dc.h"
#include "win/gdi.h"

namespace winsim::gdi::test {

class SurfaceDc {
public:
    SurfaceDc(int width, int height, COLORREF fill = RGB(255, 255, 255))
        : surface_(width, height, rgb_of(fill)) {
        dc_ = open_window_dc(surface_, POINT{0, 0}, Region(RECT{0, 0, width, height}));
    }
    SurfaceDc(int width, int height, POINT origin, const Region& clip, COLORREF fill = RGB(255, 255, 255))
        : surface_(width, height, rgb_of(fill)) {
        dc_ = open_window_dc(surface_, origin, clip);
    }
    ~SurfaceDc() { close_window_dc(dc_); }

    HDC dc() const { return dc_; }
    Surface& surface() { return surface_; }
    // The colour reference at a surface point.
    COLORREF at(int x, int y) const { return colorref_of(surface_.pixel(x, y) & 0xFFFFFF); }
    std::set<COLORREF> colours() const {
        std::set<COLORREF> out;
        for (int y = 0; y < surface_.height(); ++y)
            for (int x = 0; x < surface_.width(); ++x) out.insert(at(x, y));
        return out;
    }
    // Columns [first, last] that hold a pixel other than `ground`; -1 when none.
    std::pair<int, int> ink_columns(COLORREF ground) const {
        int first = -1, last = -1;
        for (int x = 0; x < surface_.width(); ++x)
            for (int y = 0; y < surface_.height(); ++y)
                if (at(x, y) != ground) {
                    if (first < 0) first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }
    std::pair<int, int> ink_rows(COLORREF ground) const {
        int first = -1, last = -1;
        for (int y = 0; y < surface_.height(); ++y)
            for (int x = 0; x < surface_.width(); ++x)
                if (at(x, y) != ground) {
                    if (first < 0) first = y;
                    last = y;
                    break;
                }
        return {first, last};
    }

private:
    Surface surface_;
    HDC dc_;
};

}  // namespace winsim::gdi::test
