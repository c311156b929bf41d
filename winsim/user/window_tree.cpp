#include "user/window_tree.h"

#include <algorithm>

namespace winsim::user {

namespace {

bool is_topmost(const Window* window) { return (window->ex_style & WS_EX_TOPMOST) != 0; }

// The window and the windows it owns (directly or through others), owned ones first, in
// their present z-order.
void collect_owned_group(const std::vector<Window*>& order, Window* owner, std::vector<Window*>& group) {
    for (Window* candidate : order) {
        if (candidate->owner == owner) collect_owned_group(order, candidate, group);
    }
    group.push_back(owner);
}

}  // namespace

WindowTree& WindowTree::instance() {
    static WindowTree tree;
    return tree;
}

Window* WindowTree::find(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : it->second.get();
}

Window& WindowTree::add(std::unique_ptr<Window> window) {
    window->hwnd = reinterpret_cast<HWND>(next_handle_);
    next_handle_ += 4;
    Window& added = *window;
    windows_.emplace(added.hwnd, std::move(window));
    if (added.parent) {
        // A new child goes to the bottom of its siblings: the z-order is the creation order,
        // which is also the dialog's tab order.
        added.parent->children.push_back(&added);
    } else {
        place_in_band(&added);
    }
    return added;
}

void WindowTree::place_in_band(Window* window) {
    auto first_normal = std::find_if(top_levels_.begin(), top_levels_.end(),
                                     [](Window* w) { return !is_topmost(w); });
    top_levels_.insert(is_topmost(window) ? top_levels_.begin() : first_normal, window);
}

void WindowTree::remove(Window* window) {
    if (window->parent) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    } else {
        top_levels_.erase(std::remove(top_levels_.begin(), top_levels_.end(), window), top_levels_.end());
    }
    for (Window* other : top_levels_)
        if (other->owner == window) other->owner = nullptr;
    if (active == window->hwnd) active = nullptr;
    if (focus == window->hwnd) focus = nullptr;
    if (capture == window->hwnd) capture = nullptr;
    windows_.erase(window->hwnd);
}

void WindowTree::bring_to_top(Window* window) {
    if (window->parent) {
        restack_child(window, true);
        return;
    }
    std::vector<Window*> group;
    collect_owned_group(top_levels_, window, group);
    for (Window* member : group)
        top_levels_.erase(std::remove(top_levels_.begin(), top_levels_.end(), member), top_levels_.end());
    // Insert bottom member first so the owned windows end up above their owner.
    for (auto it = group.rbegin(); it != group.rend(); ++it) place_in_band(*it);
}

void WindowTree::send_to_bottom(Window* window) {
    if (window->parent) {
        restack_child(window, false);
        return;
    }
    top_levels_.erase(std::remove(top_levels_.begin(), top_levels_.end(), window), top_levels_.end());
    if (is_topmost(window)) {
        auto first_normal = std::find_if(top_levels_.begin(), top_levels_.end(),
                                         [](Window* w) { return !is_topmost(w); });
        top_levels_.insert(first_normal, window);
    } else {
        top_levels_.push_back(window);
    }
}

void WindowTree::restack_child(Window* window, bool to_top) {
    auto& siblings = window->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    siblings.insert(to_top ? siblings.begin() : siblings.end(), window);
}

Window* WindowTree::top_level_of(Window* window) {
    while (window && window->parent) window = window->parent;
    return window;
}

bool WindowTree::is_descendant(const Window* ancestor, const Window* window) {
    for (const Window* w = window ? window->parent : nullptr; w; w = w->parent)
        if (w == ancestor) return true;
    return false;
}

bool WindowTree::is_shown(const Window* window) {
    for (const Window* w = window; w; w = w->parent) {
        if (!(w->style & WS_VISIBLE) || w->minimized) return false;
    }
    return window != nullptr;
}

bool WindowTree::accepts_input(const Window* window) {
    for (const Window* w = window; w; w = w->parent) {
        if (w->style & WS_DISABLED) return false;
    }
    return window != nullptr;
}

POINT WindowTree::client_origin_on_screen(const Window* window) {
    POINT p{window->client.left, window->client.top};
    for (const Window* w = window->parent; w; w = w->parent) {
        p.x += w->client.left;
        p.y += w->client.top;
    }
    return p;
}

RECT WindowTree::window_rect_on_screen(const Window* window) {
    RECT r = window->rect;
    if (window->parent) {
        POINT origin = client_origin_on_screen(window->parent);
        r.left += origin.x;
        r.right += origin.x;
        r.top += origin.y;
        r.bottom += origin.y;
    }
    return r;
}

POINT WindowTree::window_origin_in_surface(const Window* window) {
    const Window* top = window;
    while (top->parent) top = top->parent;
    RECT screen = window_rect_on_screen(window);
    return POINT{screen.left - top->rect.left, screen.top - top->rect.top};
}

POINT WindowTree::client_origin_in_surface(const Window* window) {
    const Window* top = window;
    while (top->parent) top = top->parent;
    POINT screen = client_origin_on_screen(window);
    return POINT{screen.x - top->rect.left, screen.y - top->rect.top};
}

void WindowTree::for_each(const std::function<void(Window*)>& visit) const {
    std::function<void(Window*)> walk = [&](Window* w) {
        visit(w);
        for (Window* child : w->children) walk(child);
    };
    for (Window* top : top_levels_) walk(top);
}

}  // namespace winsim::user
