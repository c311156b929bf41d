#include "gdi/region.h"

#include <algorithm>

namespace winsim::gdi {

RECT rect_intersection(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (rect_empty(r)) r = RECT{0, 0, 0, 0};
    return r;
}

namespace {

// The parts of `r` outside `cut`, as up to four rectangles.
void append_difference(const RECT& r, const RECT& cut, std::vector<RECT>& out) {
    RECT inner = rect_intersection(r, cut);
    if (rect_empty(inner)) {
        out.push_back(r);
        return;
    }
    if (r.top < inner.top) out.push_back(RECT{r.left, r.top, r.right, inner.top});
    if (inner.bottom < r.bottom) out.push_back(RECT{r.left, inner.bottom, r.right, r.bottom});
    if (r.left < inner.left) out.push_back(RECT{r.left, inner.top, inner.left, inner.bottom});
    if (inner.right < r.right) out.push_back(RECT{inner.right, inner.top, r.right, inner.bottom});
}

}  // namespace

Region::Region(const RECT& r) {
    if (!rect_empty(r)) rects_.push_back(r);
}

RECT Region::bounds() const {
    if (rects_.empty()) return RECT{0, 0, 0, 0};
    RECT b = rects_.front();
    for (const RECT& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

bool Region::contains(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

void Region::unite(const RECT& r) {
    if (rect_empty(r)) return;
    std::vector<RECT> pieces{r};
    for (const RECT& have : rects_) {
        std::vector<RECT> next;
        for (const RECT& p : pieces) append_difference(p, have, next);
        pieces = std::move(next);
        if (pieces.empty()) return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void Region::unite(const Region& other) {
    for (const RECT& r : other.rects_) unite(r);
}

void Region::subtract(const RECT& r) {
    if (rect_empty(r)) return;
    std::vector<RECT> next;
    for (const RECT& have : rects_) append_difference(have, r, next);
    rects_ = std::move(next);
}

void Region::subtract(const Region& other) {
    for (const RECT& r : other.rects_) subtract(r);
}

void Region::intersect(const RECT& r) {
    std::vector<RECT> next;
    for (const RECT& have : rects_) {
        RECT i = rect_intersection(have, r);
        if (!rect_empty(i)) next.push_back(i);
    }
    rects_ = std::move(next);
}

void Region::intersect(const Region& other) {
    std::vector<RECT> next;
    for (const RECT& a : rects_)
        for (const RECT& b : other.rects_) {
            RECT i = rect_intersection(a, b);
            if (!rect_empty(i)) next.push_back(i);
        }
    rects_ = std::move(next);
}

void Region::offset(int dx, int dy) {
    for (RECT& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

}  // namespace winsim::gdi
