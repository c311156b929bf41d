#include "user/painting.h"

#include <map>
#include <memory>
#include <vector>

#include "gdi/surface.h"
#include "gdi/window_dc.h"
#include "host/display.h"
#include "user/nonclient.h"
#include "user/window.h"
#include "user/window_tree.h"

namespace winsim::user::painting {

namespace {

bool screen_changed = true;

struct OpenDc {
    HWND hwnd;
};

std::map<HDC, OpenDc>& open_dcs() {
    static std::map<HDC, OpenDc> dcs;
    return dcs;
}

gdi::Surface& desktop_surface() {
    static gdi::Surface surface(host::display().width(), host::display().height(), 0x008080);
    return surface;
}

RECT offset_rect(RECT r, POINT by) {
    r.left += by.x;
    r.right += by.x;
    r.top += by.y;
    r.bottom += by.y;
    return r;
}

RECT client_in_surface(const Window* w) {
    POINT at = WindowTree::client_origin_in_surface(w);
    return RECT{at.x, at.y, at.x + w->client_width(), at.y + w->client_height()};
}

RECT window_in_surface(const Window* w) {
    POINT at = WindowTree::window_origin_in_surface(w);
    return RECT{at.x, at.y, at.x + w->width(), at.y + w->height()};
}

void subtract_siblings_above(gdi::Region& region, const Window* w) {
    if (!w->parent || !(w->style & WS_CLIPSIBLINGS)) return;
    for (const Window* sibling : w->parent->children) {
        if (sibling == w) break;
        if (WindowTree::is_shown(sibling)) region.subtract(window_in_surface(sibling));
    }
}

bool paints(const Window* w) {
    for (const Window* a = w; a; a = a->parent)
        if (!a->redraw) return false;
    return WindowTree::is_shown(w);
}

}  // namespace

gdi::Region visible_region(const Window* window, bool client_only) {
    if (!WindowTree::is_shown(window)) return gdi::Region();
    gdi::Region region(client_only ? client_in_surface(window) : window_in_surface(window));
    for (const Window* a = window->parent; a; a = a->parent) region.intersect(client_in_surface(a));
    for (const Window* x = window; x; x = x->parent) subtract_siblings_above(region, x);
    if (window->style & WS_CLIPCHILDREN) {
        for (const Window* child : window->children)
            if (WindowTree::is_shown(child)) region.subtract(window_in_surface(child));
    }
    const Window* top = WindowTree::top_level_of(const_cast<Window*>(window));
    region.intersect(RECT{0, 0, top->width(), top->height()});
    return region;
}

// A parent that does not clip its children paints over their frames, so they are drawn
// again afterwards.
static void mark_child_frames_under(Window* window, const gdi::Region& area) {
    if (window->style & WS_CLIPCHILDREN) return;
    for (Window* child : window->children) {
        gdi::Region covered(child->rect);  // the child's rectangle is in our client coordinates
        covered.intersect(area);
        if (!covered.empty()) child->frame_dirty = true;
    }
}

void invalidate(Window* window, const RECT* rect, bool erase) {
    if (!paints(window)) return;
    RECT client{0, 0, window->client_width(), window->client_height()};
    RECT area = rect ? gdi::rect_intersection(*rect, client) : client;
    if (gdi::rect_empty(area)) return;
    window->update.unite(area);
    if (erase) window->erase_pending = true;
    if (window->style & WS_CLIPCHILDREN) return;
    for (Window* child : window->children) {
        RECT in_child = area;
        // From the parent's client coordinates to the child's.
        in_child.left -= child->client.left;
        in_child.right -= child->client.left;
        in_child.top -= child->client.top;
        in_child.bottom -= child->client.top;
        RECT child_frame{child->rect.left - child->client.left, child->rect.top - child->client.top,
                         child->rect.right - child->client.left, child->rect.bottom - child->client.top};
        if (gdi::rect_empty(gdi::rect_intersection(in_child, child_frame))) continue;
        child->frame_dirty = true;
        invalidate(child, &in_child, erase);
    }
}

void validate(Window* window, const RECT* rect) {
    if (!rect) {
        window->update.clear();
        window->erase_pending = false;
        return;
    }
    window->update.subtract(*rect);
    if (window->update.empty()) window->erase_pending = false;
}

void invalidate_all(Window* window) {
    window->frame_dirty = true;
    invalidate(window, nullptr, true);
    for (Window* child : window->children) invalidate_all(child);
    mark_screen_changed();
}

void invalidate_parent_under(Window* child, const RECT& rect_in_parent) {
    Window* parent = child->parent;
    mark_screen_changed();
    if (!parent) return;
    RECT in_client{rect_in_parent.left - parent->client.left, rect_in_parent.top - parent->client.top,
                   rect_in_parent.right - parent->client.left, rect_in_parent.bottom - parent->client.top};
    invalidate(parent, &in_client, true);
    // Siblings that lay under it show through again.
    for (Window* sibling : parent->children) {
        if (sibling == child) continue;
        RECT overlap = gdi::rect_intersection(sibling->rect, rect_in_parent);
        if (!gdi::rect_empty(overlap)) invalidate_all(sibling);
    }
}

HDC begin_paint(Window* window, PAINTSTRUCT* paint) {
    *paint = PAINTSTRUCT{};
    Window* top = WindowTree::top_level_of(window);
    fit_surface(top);
    gdi::Region area = window->update;
    bool erase = window->erase_pending;
    window->update.clear();
    window->erase_pending = false;
    mark_child_frames_under(window, area);

    gdi::Region clip = visible_region(window, true);
    POINT origin = WindowTree::client_origin_in_surface(window);
    area.offset(origin.x, origin.y);
    clip.intersect(area);
    HDC dc = gdi::open_window_dc(*top->surface, origin, clip);
    open_dcs()[dc] = OpenDc{window->hwnd};
    paint->hdc = dc;
    if (!clip.empty()) {
        RECT bounds = clip.bounds();
        paint->rcPaint = offset_rect(bounds, POINT{-origin.x, -origin.y});
    }
    if (erase) {
        HWND hwnd = window->hwnd;
        LRESULT erased = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        paint->fErase = erased ? FALSE : TRUE;
    }
    mark_screen_changed();
    return dc;
}

void end_paint(const PAINTSTRUCT* paint) {
    if (paint && paint->hdc) release_dc(paint->hdc);
}

HDC get_dc(Window* window) {
    if (!window) {
        gdi::Surface& desktop = desktop_surface();
        HDC dc = gdi::open_window_dc(desktop, POINT{0, 0}, gdi::Region(RECT{0, 0, desktop.width(), desktop.height()}));
        open_dcs()[dc] = OpenDc{nullptr};
        return dc;
    }
    Window* top = WindowTree::top_level_of(window);
    fit_surface(top);
    HDC dc = gdi::open_window_dc(*top->surface, WindowTree::client_origin_in_surface(window),
                                 visible_region(window, true));
    open_dcs()[dc] = OpenDc{window->hwnd};
    return dc;
}

bool release_dc(HDC dc) {
    auto it = open_dcs().find(dc);
    if (it == open_dcs().end()) return false;
    open_dcs().erase(it);
    gdi::close_window_dc(dc);
    mark_screen_changed();
    return true;
}

void update_now(Window* window) {
    HWND hwnd = window->hwnd;
    if (!window->update.empty() && paints(window)) SendMessageA(hwnd, WM_PAINT, 0, 0);
    window = find_window(hwnd);
    if (!window) return;
    std::vector<HWND> children;
    for (Window* child : window->children) children.push_back(child->hwnd);
    for (HWND child : children)
        if (Window* w = find_window(child)) update_now(w);
}

Window* next_to_paint(const std::function<bool(const Window*)>& accept) {
    Window* found = nullptr;
    std::function<bool(Window*)> walk = [&](Window* w) {
        if (!paints(w)) return false;
        if (!w->update.empty() && accept(w)) {
            found = w;
            return true;
        }
        for (Window* child : w->children)
            if (walk(child)) return true;
        return false;
    };
    for (Window* top : WindowTree::instance().top_levels())
        if (walk(top)) break;
    return found;
}

void fit_surface(Window* window) {
    if (!window->is_top_level()) return;
    int w = std::max(window->width(), 0);
    int h = std::max(window->height(), 0);
    if (!window->surface) window->surface = std::make_unique<gdi::Surface>(w, h, 0xC0C0C0);
    else if (window->surface->width() != w || window->surface->height() != h)
        window->surface->resize(w, h, 0xC0C0C0);
}

void mark_screen_changed() { screen_changed = true; }

void present_if_changed() {
    WindowTree& tree = WindowTree::instance();
    tree.for_each([](Window* w) {
        if (w->frame_dirty && paints(w)) nonclient::draw(*w);
    });
    if (!screen_changed) return;
    screen_changed = false;
    std::vector<host::Layer> layers;
    const auto& order = tree.top_levels();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Window* w = *it;
        if (!WindowTree::is_shown(w) || w->width() <= 0 || w->height() <= 0) continue;
        fit_surface(w);
        layers.push_back(host::Layer{w->surface.get(), w->rect.left, w->rect.top});
    }
    host::display().present(layers);
}

}  // namespace winsim::user::painting
