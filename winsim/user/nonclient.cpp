#include "user/nonclient.h"

#include "gdi/window_dc.h"
#include "user/painting.h"
#include "user/window.h"
#include "user/window_tree.h"

#if __has_include("gdi/classic_style.h")
#include "gdi/classic_style.h"
#define WINSIM_HAVE_CLASSIC_STYLE 1
#endif

namespace winsim::user::nonclient {

FrameKind frame_kind(DWORD style, DWORD ex_style) {
    if (style & WS_THICKFRAME) return FrameKind::Sizing;
    if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) return FrameKind::Dialog;
    if (style & WS_BORDER) return FrameKind::Thin;
    return FrameKind::None;
}

int frame_width(DWORD style, DWORD ex_style) {
    switch (frame_kind(style, ex_style)) {
        case FrameKind::Sizing: return kSizingFrame;
        case FrameKind::Dialog: return kDialogFrame;
        case FrameKind::Thin: return kBorder;
        case FrameKind::None: break;
    }
    return 0;
}

bool has_caption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int edge_width(DWORD ex_style) {
    int width = 0;
    if (ex_style & WS_EX_CLIENTEDGE) width += kEdge;
    if (ex_style & WS_EX_STATICEDGE) width += kBorder;
    return width;
}

RECT client_from_window(const RECT& window, DWORD style, DWORD ex_style) {
    int inset = frame_width(style, ex_style) + edge_width(ex_style);
    RECT client{window.left + inset, window.top + inset, window.right - inset, window.bottom - inset};
    if (has_caption(style)) client.top += kCaptionHeight;
    if (client.right < client.left) client.right = client.left;
    if (client.bottom < client.top) client.bottom = client.top;
    return client;
}

RECT window_from_client(const RECT& client, DWORD style, DWORD ex_style) {
    int inset = frame_width(style, ex_style) + edge_width(ex_style);
    RECT window{client.left - inset, client.top - inset, client.right + inset, client.bottom + inset};
    if (has_caption(style)) window.top -= kCaptionHeight;
    return window;
}

RECT caption_bar(const Window& window) {
    if (!has_caption(window.style)) return RECT{0, 0, 0, 0};
    int frame = frame_width(window.style, window.ex_style);
    return RECT{frame, frame, window.width() - frame, frame + kCaptionHeight - 1};
}

RECT close_button(const Window& window) {
    RECT bar = caption_bar(window);
    if (!(window.style & WS_SYSMENU) || bar.right <= bar.left) return RECT{0, 0, 0, 0};
#ifdef WINSIM_HAVE_CLASSIC_STYLE
    return gdi::classic::caption_close_button(bar);
#else
    int top = bar.top + (bar.bottom - bar.top - kCloseButtonHeight) / 2;
    return RECT{bar.right - 2 - kCloseButtonWidth, top, bar.right - 2, top + kCloseButtonHeight};
#endif
}

namespace {

bool inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

LRESULT sizing_border_hit(const Window& window, int x, int y) {
    const int w = window.width();
    const int h = window.height();
    const int frame = kSizingFrame;
    const int corner = kCaptionHeight;   // corners reach along the edges, as classic grips do
    bool left = x < frame, right = x >= w - frame, top = y < frame, bottom = y >= h - frame;
    if (top || bottom) {
        if (x < corner) return top ? HTTOPLEFT : HTBOTTOMLEFT;
        if (x >= w - corner) return top ? HTTOPRIGHT : HTBOTTOMRIGHT;
        return top ? HTTOP : HTBOTTOM;
    }
    if (left || right) {
        if (y < corner) return left ? HTTOPLEFT : HTTOPRIGHT;
        if (y >= h - corner) return left ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
        return left ? HTLEFT : HTRIGHT;
    }
    return HTNOWHERE;
}

}  // namespace

LRESULT hit_test(const Window& window, POINT screen) {
    RECT on_screen = WindowTree::window_rect_on_screen(&window);
    if (!inside(on_screen, screen.x, screen.y)) return HTNOWHERE;
    const int x = screen.x - on_screen.left;
    const int y = screen.y - on_screen.top;
    if (frame_kind(window.style, window.ex_style) == FrameKind::Sizing && !window.minimized) {
        LRESULT border = sizing_border_hit(window, x, y);
        if (border != HTNOWHERE) return border;
    }
    POINT origin = WindowTree::client_origin_on_screen(&window);
    RECT client{origin.x, origin.y, origin.x + window.client_width(), origin.y + window.client_height()};
    if (inside(client, screen.x, screen.y)) return HTCLIENT;
    RECT bar = caption_bar(window);
    if (inside(bar, x, y)) {
        if (inside(close_button(window), x, y)) return HTCLOSE;
        if ((window.style & WS_SYSMENU) && x < bar.left + kCaptionHeight) return HTSYSMENU;
        return HTCAPTION;
    }
    return HTBORDER;
}

namespace {

#ifndef WINSIM_HAVE_CLASSIC_STYLE
// Plain frames until the classic painter is at hand: grey rings and a blue bar.
void fill(gdi::Surface& surface, const gdi::Region& clip, RECT r, std::uint32_t rgb) {
    gdi::Region part(r);
    part.intersect(clip);
    for (const RECT& piece : part.rects())
        for (int y = piece.top; y < piece.bottom; ++y)
            for (int x = piece.left; x < piece.right; ++x)
                if (surface.contains(x, y)) surface.set_pixel(x, y, rgb);
}
#endif

}  // namespace

void draw(Window& window) {
    window.frame_dirty = false;
    const bool caption = has_caption(window.style);
    const int inset = frame_width(window.style, window.ex_style) + edge_width(window.ex_style);
    if (!caption && inset == 0) return;
    Window* top = WindowTree::top_level_of(&window);
    if (!top->surface) return;

    gdi::Region clip = painting::visible_region(&window, false);
    POINT client_at = WindowTree::client_origin_in_surface(&window);
    clip.subtract(RECT{client_at.x, client_at.y, client_at.x + window.client_width(),
                       client_at.y + window.client_height()});
    if (clip.empty()) return;
    POINT origin = WindowTree::window_origin_in_surface(&window);

#ifdef WINSIM_HAVE_CLASSIC_STYLE
    HDC dc = gdi::open_window_dc(*top->surface, origin, clip);
    RECT r{0, 0, window.width(), window.height()};
    switch (frame_kind(window.style, window.ex_style)) {
        case FrameKind::Sizing: gdi::classic::draw_frame(dc, r, gdi::classic::Frame::Sizing); break;
        case FrameKind::Dialog: gdi::classic::draw_frame(dc, r, gdi::classic::Frame::Dialog); break;
        case FrameKind::Thin: gdi::classic::draw_frame(dc, r, gdi::classic::Frame::Thin); break;
        case FrameKind::None: break;
    }
    if (caption) {
        RECT bar{r.left, r.top, r.right, r.top + kCaptionHeight - 1};
        gdi::classic::Caption look;
        look.text = window.text.c_str();
        look.active = window.caption_active;
        look.small_icon = (window.style & WS_SYSMENU) ? window.icon_small : nullptr;
        look.close_button = (window.style & WS_SYSMENU) != 0;
        gdi::classic::draw_caption(dc, bar, look);
        r.top += kCaptionHeight;
    }
    if (window.ex_style & WS_EX_CLIENTEDGE) gdi::classic::draw_client_edge(dc, r);
    if (window.ex_style & WS_EX_STATICEDGE) gdi::classic::draw_static_edge(dc, r);
    gdi::close_window_dc(dc);
#else
    gdi::Surface& surface = *top->surface;
    RECT whole{origin.x, origin.y, origin.x + window.width(), origin.y + window.height()};
    fill(surface, clip, whole, 0xC0C0C0);
    if (frame_kind(window.style, window.ex_style) == FrameKind::Thin) fill(surface, clip, whole, 0x000000);
    if (caption) {
        int frame = frame_width(window.style, window.ex_style);
        RECT bar{whole.left + frame, whole.top + frame, whole.right - frame,
                 whole.top + frame + kCaptionHeight - 1};
        fill(surface, clip, bar, window.caption_active ? 0x000080 : 0x808080);
    }
#endif
    painting::mark_screen_changed();
}

}  // namespace winsim::user::nonclient
