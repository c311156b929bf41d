// A set of pixels described by non-overlapping rectangles: update regions and clip regions.
#pragma once

#include <vector>

#include "win/base.h"

namespace winsim::gdi {

inline bool rect_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
RECT rect_intersection(const RECT& a, const RECT& b);

class Region {
public:
    Region() = default;
    explicit Region(const RECT& r);

    bool empty() const { return rects_.empty(); }
    const std::vector<RECT>& rects() const { return rects_; }
    RECT bounds() const;
    bool contains(int x, int y) const;

    void clear() { rects_.clear(); }
    void unite(const RECT& r);
    void unite(const Region& other);
    void subtract(const RECT& r);
    void subtract(const Region& other);
    void intersect(const RECT& r);
    void intersect(const Region& other);
    void offset(int dx, int dy);

private:
    std::vector<RECT> rects_;
};

}  // namespace winsim::gdi
