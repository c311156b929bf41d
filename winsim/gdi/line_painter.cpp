#include "gdi/line_painter.h"

#include <algorithm>
#include <cstdlib>

namespace winsim::gdi {

void LinePainter::thin_line(int x1, int y1, int x2, int y2) {
    std::uint32_t rgb = pen_.rgb();
    int dx = std::abs(x2 - x1);
    int dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1;
    int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        canvas_.plot(x, y, rgb);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void LinePainter::square(int cx, int cy) {
    int w = pen_.width();
    int lo = -(w / 2);
    canvas_.fill(RECT{cx + lo, cy + lo, cx + lo + w, cy + lo + w}, pen_.rgb());
}

void LinePainter::line(int x1, int y1, int x2, int y2) {
    if (pen_.null()) return;
    int w = pen_.width();
    if (w <= 1) {
        thin_line(x1, y1, x2, y2);
        return;
    }
    int lo = -(w / 2);
    if (y1 == y2) {
        canvas_.fill(RECT{std::min(x1, x2) + lo, y1 + lo, std::max(x1, x2) + lo + w, y1 + lo + w}, pen_.rgb());
        return;
    }
    if (x1 == x2) {
        canvas_.fill(RECT{x1 + lo, std::min(y1, y2) + lo, x1 + lo + w, std::max(y1, y2) + lo + w}, pen_.rgb());
        return;
    }
    // A slanted wide line: the pen's square stamped along the path, both ends included.
    int dx = std::abs(x2 - x1);
    int dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1;
    int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    for (;;) {
        square(x, y);
        if (x == x2 && y == y2) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void LinePainter::outline(RECT r) {
    if (pen_.null()) return;
    int w = pen_.width();
    if (!pen_.inside_frame() && w > 1) {
        // Centred on the edge pixels: the band starts half the width outside them.
        int lo = w / 2;
        r = RECT{r.left - lo, r.top - lo, r.right - 1 - lo + w, r.bottom - 1 - lo + w};
    }
    w = std::min<int>(w, std::max<int>(1, std::min(r.right - r.left, r.bottom - r.top) / 2 + 1));
    std::uint32_t rgb = pen_.rgb();
    canvas_.fill(RECT{r.left, r.top, r.right, std::min(r.top + w, r.bottom)}, rgb);
    canvas_.fill(RECT{r.left, std::max(r.bottom - w, r.top), r.right, r.bottom}, rgb);
    canvas_.fill(RECT{r.left, r.top + w, std::min(r.left + w, r.right), r.bottom - w}, rgb);
    canvas_.fill(RECT{std::max(r.right - w, r.left), r.top + w, r.right, r.bottom - w}, rgb);
}

}  // namespace winsim::gdi
