#include "gdi/flood_fill.h"

#include <vector>

namespace winsim::gdi {

bool FloodFill::fill(int x, int y, std::uint32_t paint_rgb) {
    if (!canvas_.visible(x, y)) return false;
    Surface& surface = canvas_.surface();
    const RECT box = canvas_.clip().bounds();
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;

    // 1 where a pixel may still be filled: inside the clip, of the right colour, not yet done.
    std::vector<std::uint8_t> open(static_cast<std::size_t>(w) * h, 0);
    for (const RECT& r : canvas_.clip().rects())
        for (int sy = r.top; sy < r.bottom; ++sy) {
            const std::uint32_t* row = surface.row(sy);
            std::uint8_t* mark = open.data() + static_cast<std::size_t>(sy - box.top) * w - box.left;
            for (int sx = r.left; sx < r.right; ++sx) {
                bool same = (row[sx] & 0xFFFFFF) == key_;
                mark[sx] = (mode_ == Mode::Surface) == same;
            }
        }

    POINT o = canvas_.origin();
    int sx0 = x + o.x;
    int sy0 = y + o.y;
    auto at = [&](int sx, int sy) -> std::uint8_t& {
        return open[static_cast<std::size_t>(sy - box.top) * w + (sx - box.left)];
    };
    if (!at(sx0, sy0)) return false;

    // Scanline fill: take a seed, paint its whole run, seed the rows above and below.
    std::vector<POINT> seeds{POINT{sx0, sy0}};
    while (!seeds.empty()) {
        POINT p = seeds.back();
        seeds.pop_back();
        if (!at(p.x, p.y)) continue;
        int left = p.x;
        while (left > box.left && at(left - 1, p.y)) --left;
        int right = p.x;
        while (right + 1 < box.right && at(right + 1, p.y)) ++right;
        std::uint32_t* row = surface.row(p.y);
        for (int sx = left; sx <= right; ++sx) {
            row[sx] = paint_rgb;
            at(sx, p.y) = 0;
        }
        for (int ny : {p.y - 1, p.y + 1}) {
            if (ny < box.top || ny >= box.bottom) continue;
            bool in_run = false;
            for (int sx = left; sx <= right; ++sx) {
                bool o2 = at(sx, ny) != 0;
                if (o2 && !in_run) seeds.push_back(POINT{sx, ny});
                in_run = o2;
            }
        }
    }
    return true;
}

}  // namespace winsim::gdi
