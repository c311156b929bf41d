#include "gdi/classic_style.h"

#include <algorithm>
#include <cstring>

#include "gdi/device_context.h"
#include "gdi/icon.h"
#include "gdi/sys_colors.h"

namespace winsim::gdi::classic {

namespace {

std::uint32_t sys(int index) { return sys_rgb(index); }

void fill(Canvas& canvas, const RECT& r, int color_index) { canvas.fill(r, sys(color_index)); }

// One ring of a 3-D border: top and left in one colour, bottom and right in another, the
// bottom-left and top-right corners belonging to the second.
void ring(Canvas& canvas, RECT& r, std::uint32_t top_left, std::uint32_t bottom_right, UINT sides) {
    if (sides & BF_TOP) canvas.fill(RECT{r.left, r.top, r.right - 1, r.top + 1}, top_left);
    if (sides & BF_LEFT) canvas.fill(RECT{r.left, r.top, r.left + 1, r.bottom - 1}, top_left);
    if (sides & BF_BOTTOM) canvas.fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
    if (sides & BF_RIGHT) canvas.fill(RECT{r.right - 1, r.top, r.right, r.bottom}, bottom_right);
    if (sides & BF_LEFT) ++r.left;
    if (sides & BF_TOP) ++r.top;
    if (sides & BF_RIGHT) --r.right;
    if (sides & BF_BOTTOM) --r.bottom;
}

struct Colours {
    int top_left;
    int bottom_right;
};

Colours outer_colours(UINT edge, UINT flags) {
    if (flags & BF_MONO) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
    if (flags & BF_FLAT) return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
    if (edge & BDR_RAISEDOUTER)
        return {(flags & BF_SOFT) ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    return {(flags & BF_SOFT) ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
}

Colours inner_colours(UINT edge, UINT flags) {
    if (flags & BF_MONO) return {COLOR_WINDOW, COLOR_WINDOW};
    if (flags & BF_FLAT) return {COLOR_BTNFACE, COLOR_BTNFACE};
    if (edge & BDR_RAISEDINNER)
        return {(flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    return {(flags & BF_SOFT) ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

HFONT make_font(LONG height, LONG weight) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    return CreateFontIndirectA(&lf);
}

// Runs `draw` with a font, text colour and transparent background selected, then restores.
template <typename F>
void with_text(HDC dc, HFONT font, COLORREF color, F&& draw) {
    HGDIOBJ old_font = SelectObject(dc, font ? font : dialog_font());
    COLORREF old_color = SetTextColor(dc, color);
    int old_mode = SetBkMode(dc, TRANSPARENT);
    draw();
    SetBkMode(dc, old_mode);
    SetTextColor(dc, old_color);
    if (old_font) SelectObject(dc, old_font);
}

COLORREF sys_ref(int index) { return GetSysColor(index); }

// A glyph given as rows of '#' marks, drawn at (x, y).
void draw_pattern(Canvas& canvas, int x, int y, const char* const* rows, int count, std::uint32_t rgb) {
    for (int r = 0; r < count; ++r)
        for (int c = 0; rows[r][c]; ++c)
            if (rows[r][c] == '#') canvas.plot(x + c, y + r, rgb);
}

// The classic 50% track pattern of scroll bars: face and highlight in a checkerboard.
void dither(Canvas& canvas, const RECT& r, std::uint32_t a, std::uint32_t b) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) canvas.plot(x, y, ((x + y) & 1) ? b : a);
}

void draw_arrow_glyph(Canvas& canvas, const RECT& r, Arrow arrow, std::uint32_t rgb, int shift) {
    int w = r.right - r.left;
    int h = r.bottom - r.top;
    int size = std::max(2, std::min(w, h) / 4);   // rows of the triangle; base 2*size-1
    int cx = r.left + (w - 1) / 2 + shift;
    int cy = r.top + (h - 1) / 2 + shift;
    for (int i = 0; i < size; ++i) {
        int half = i;
        switch (arrow) {
            case Arrow::Up: canvas.fill(RECT{cx - half, cy - size / 2 + i, cx + half + 1, cy - size / 2 + i + 1}, rgb); break;
            case Arrow::Down: canvas.fill(RECT{cx - half, cy + size / 2 - i, cx + half + 1, cy + size / 2 - i + 1}, rgb); break;
            case Arrow::Left: canvas.fill(RECT{cx - size / 2 + i, cy - half, cx - size / 2 + i + 1, cy + half + 1}, rgb); break;
            case Arrow::Right: canvas.fill(RECT{cx + size / 2 - i, cy - half, cx + size / 2 - i + 1, cy + half + 1}, rgb); break;
        }
    }
}

}  // namespace

HFONT caption_font() {
    static HFONT font = make_font(-11, FW_BOLD);
    return font;
}

HFONT dialog_font() {
    static HFONT font = make_font(-11, FW_NORMAL);
    return font;
}

void draw_edge(HDC hdc, RECT& rect, UINT edge, UINT flags) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    Canvas canvas = dc->canvas();
    RECT r = rect;
    UINT sides = flags & BF_RECT;
    if (edge & BDR_OUTER) {
        Colours c = outer_colours(edge, flags);
        ring(canvas, r, sys(c.top_left), sys(c.bottom_right), sides);
    }
    if (edge & BDR_INNER) {
        Colours c = inner_colours(edge, flags);
        ring(canvas, r, sys(c.top_left), sys(c.bottom_right), sides);
    }
    if (flags & BF_MIDDLE) fill(canvas, r, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (flags & BF_ADJUST) rect = r;
}

void draw_client_edge(HDC dc, RECT& rect) { draw_edge(dc, rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST); }

void draw_static_edge(HDC dc, RECT& rect) { draw_edge(dc, rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST); }

int frame_width(Frame frame) {
    switch (frame) {
        case Frame::Thin: return kBorder;
        case Frame::Dialog: return kDialogFrame;
        case Frame::Sizing: return kSizingFrame;
    }
    return 0;
}

void draw_frame(HDC hdc, RECT& rect, Frame frame) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    Canvas canvas = dc->canvas();
    if (frame == Frame::Thin) {
        ring(canvas, rect, sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME), BF_RECT);
        return;
    }
    draw_edge(hdc, rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
    int rings = frame == Frame::Dialog ? 1 : 2;
    int face_index = frame == Frame::Dialog ? COLOR_BTNFACE : COLOR_ACTIVEBORDER;
    for (int i = 0; i < rings; ++i) ring(canvas, rect, sys(face_index), sys(face_index), BF_RECT);
}

RECT caption_close_button(const RECT& bar) {
    int right = bar.right - 2;
    int top = bar.top + (bar.bottom - bar.top - kCaptionButtonHeight) / 2;
    return RECT{right - kCaptionButtonWidth, top, right, top + kCaptionButtonHeight};
}

void draw_caption(HDC hdc, const RECT& bar, const Caption& caption) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    Canvas canvas = dc->canvas();
    // A left-to-right gradient between the two caption colours.
    COLORREF from = sys_ref(caption.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF to = sys_ref(caption.active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    int w = std::max<int>(1, bar.right - bar.left);
    for (int x = bar.left; x < bar.right; ++x) {
        int t = x - bar.left;
        auto mix = [&](int shift) {
            int a = (from >> shift) & 0xFF;
            int b = (to >> shift) & 0xFF;
            return static_cast<COLORREF>(a + (b - a) * t / std::max(1, w - 1)) << shift;
        };
        canvas.fill(RECT{x, bar.top, x + 1, bar.bottom}, rgb_of(mix(0) | mix(8) | mix(16)));
    }
    canvas.fill(RECT{bar.left, bar.bottom, bar.right, bar.bottom + 1}, sys(COLOR_BTNFACE));

    int text_left = bar.left + 2;
    if (caption.small_icon && caption.close_button) {
        int iy = bar.top + (bar.bottom - bar.top - kSmallIcon) / 2;
        DrawIconEx(hdc, bar.left + 1, iy, caption.small_icon, kSmallIcon, kSmallIcon, 0, nullptr, DI_NORMAL);
        text_left = bar.left + 1 + kSmallIcon + 2;
    }
    RECT text_rect{text_left, bar.top, bar.right - 2, bar.bottom};
    if (caption.close_button) {
        RECT button = caption_close_button(bar);
        text_rect.right = button.left - 2;
        RECT face = button;
        draw_edge(hdc, face, caption.close_pressed ? EDGE_SUNKEN : EDGE_RAISED,
                  BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
        static const char* const kCross[] = {
            "##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"};
        int shift = caption.close_pressed ? 1 : 0;
        int gx = button.left + (kCaptionButtonWidth - 8) / 2 + shift;
        int gy = button.top + (kCaptionButtonHeight - 7) / 2 + shift;
        draw_pattern(canvas, gx, gy, kCross, 7, sys(COLOR_BTNTEXT));
    }
    COLORREF text_color = sys_ref(caption.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    with_text(hdc, caption_font(), text_color, [&] {
        DrawTextA(hdc, caption.text ? caption.text : "", -1, &text_rect,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    });
}

void draw_label_text(HDC hdc, const char* text, RECT rect, UINT format, bool enabled) {
    if (!text) return;
    if (enabled) {
        DrawTextA(hdc, text, -1, &rect, format);
        return;
    }
    COLORREF old_color = SetTextColor(hdc, sys_ref(COLOR_BTNHIGHLIGHT));
    int old_mode = SetBkMode(hdc, TRANSPARENT);
    RECT shadow{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    DrawTextA(hdc, text, -1, &shadow, format);
    SetTextColor(hdc, sys_ref(COLOR_BTNSHADOW));
    DrawTextA(hdc, text, -1, &rect, format);
    SetBkMode(hdc, old_mode);
    SetTextColor(hdc, old_color);
}

void draw_push_button(HDC hdc, const RECT& rect, const PushButton& button) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    Canvas canvas = dc->canvas();
    RECT r = rect;
    bool framed = button.is_default || button.focused;
    if (framed) ring(canvas, r, sys(COLOR_WINDOWFRAME), sys(COLOR_WINDOWFRAME), BF_RECT);
    if (button.pressed) {
        // Held down: a flat shadow line and the face, the text one pixel down and right.
        ring(canvas, r, sys(COLOR_BTNSHADOW), sys(COLOR_BTNSHADOW), BF_RECT);
        fill(canvas, r, COLOR_BTNFACE);
    } else {
        draw_edge(hdc, r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
    }
    RECT text_rect = r;
    if (button.pressed) text_rect = RECT{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    with_text(hdc, button.font, sys_ref(COLOR_BTNTEXT), [&] {
        draw_label_text(hdc, button.text, text_rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, button.enabled);
    });
    if (button.focused) {
        RECT focus{rect.left + 4, rect.top + 4, rect.right - 4, rect.bottom - 4};
        DrawFocusRect(hdc, &focus);
    }
}

void draw_check_box(HDC hdc, const RECT& box, const CheckMark& mark) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    RECT r{box.left, box.top, box.left + kCheckBox, box.top + kCheckBox};
    draw_edge(hdc, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    Canvas canvas = dc->canvas();
    fill(canvas, r, (mark.pressed || !mark.enabled) ? COLOR_BTNFACE : COLOR_WINDOW);
    if (!mark.checked) return;
    static const char* const kCheck[] = {
        "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."};
    draw_pattern(canvas, r.left + 1, r.top + 1, kCheck, 7, sys(mark.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}

void draw_radio_button(HDC hdc, const RECT& box, const CheckMark& mark) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    Canvas canvas = dc->canvas();
    // Rings by distance from the centre of a 12 x 12 circle; the upper-left half takes the
    // shadow colours, the lower-right the light ones.
    const double c = 5.5;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            double d2 = (x - c) * (x - c) + (y - c) * (y - c);
            bool upper_left = x + y < 11;
            int index;
            if (d2 > 6.2 * 6.2) continue;
            if (d2 > 5.0 * 5.0) index = upper_left ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
            else if (d2 > 4.0 * 4.0) index = upper_left ? COLOR_3DDKSHADOW : COLOR_3DLIGHT;
            else index = (mark.pressed || !mark.enabled) ? COLOR_BTNFACE : COLOR_WINDOW;
            if (mark.checked && d2 < 2.0 * 2.0) index = mark.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
            canvas.plot(box.left + x, box.top + y, sys(index));
        }
}

void draw_group_frame(HDC hdc, const RECT& rect, const char* text, HFONT font) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    HGDIOBJ old_font = SelectObject(hdc, font ? font : dialog_font());
    SIZE extent{0, 0};
    const char* label = text ? text : "";
    TEXTMETRICA tm;
    GetTextMetricsA(hdc, &tm);
    RECT measure{0, 0, 0, 0};
    if (*label) DrawTextA(hdc, label, -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    extent.cx = measure.right;
    RECT frame{rect.left, rect.top + tm.tmHeight / 2, rect.right, rect.bottom};
    draw_edge(hdc, frame, EDGE_ETCHED, BF_RECT);
    if (*label) {
        RECT gap{rect.left + 7, rect.top, rect.left + 7 + extent.cx + 2, rect.top + tm.tmHeight};
        Canvas canvas = dc->canvas();
        fill(canvas, gap, COLOR_BTNFACE);
        RECT text_rect{gap.left + 1, gap.top, gap.right, gap.bottom};
        COLORREF old_color = SetTextColor(hdc, sys_ref(COLOR_BTNTEXT));
        int old_mode = SetBkMode(hdc, TRANSPARENT);
        DrawTextA(hdc, label, -1, &text_rect, DT_LEFT | DT_SINGLELINE);
        SetBkMode(hdc, old_mode);
        SetTextColor(hdc, old_color);
    }
    if (old_font) SelectObject(hdc, old_font);
}

void draw_disabled_icon(HDC hdc, int x, int y, HICON handle, int width, int height) {
    DeviceContext* dc = DeviceContext::from(hdc);
    auto icon = find_icon(handle);
    if (!dc || !icon) return;
    if (width <= 0) width = icon->width();
    if (height <= 0) height = icon->height();
    Canvas canvas = dc->canvas();
    // Ink is every opaque pixel that is not light; it is embossed white under grey.
    auto ink = [&](int px, int py) {
        int ix = px * icon->width() / width;
        int iy = py * icon->height() / height;
        if (icon->masked(ix, iy)) return false;
        std::uint32_t c = icon->color().pixel(ix, iy);
        int luma = (((c >> 16) & 0xFF) * 30 + ((c >> 8) & 0xFF) * 59 + (c & 0xFF) * 11) / 100;
        return luma < 192;
    };
    for (int pass = 0; pass < 2; ++pass) {
        std::uint32_t rgb = sys(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        int shift = pass == 0 ? 1 : 0;
        for (int py = 0; py < height; ++py)
            for (int px = 0; px < width; ++px)
                if (ink(px, py)) canvas.plot(x + px + shift, y + py + shift, rgb);
    }
}

void draw_arrow_button(HDC hdc, const RECT& rect, Arrow arrow, bool pressed, bool enabled) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    RECT r = rect;
    Canvas canvas = dc->canvas();
    if (pressed) {
        ring(canvas, r, sys(COLOR_BTNSHADOW), sys(COLOR_BTNSHADOW), BF_RECT);
        fill(canvas, r, COLOR_BTNFACE);
    } else {
        draw_edge(hdc, r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
    }
    if (enabled) {
        draw_arrow_glyph(canvas, rect, arrow, sys(COLOR_BTNTEXT), pressed ? 1 : 0);
    } else {
        draw_arrow_glyph(canvas, rect, arrow, sys(COLOR_BTNHIGHLIGHT), 1);
        draw_arrow_glyph(canvas, rect, arrow, sys(COLOR_BTNSHADOW), 0);
    }
}

namespace {

struct Track {
    int start;    // first pixel of the track, along the bar
    int length;   // pixels between the arrows
    int arrow;    // length of each arrow button
};

Track track_of(const RECT& rect, bool vertical) {
    int along = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    int arrow = std::min(kScrollBar, along / 2);
    return Track{arrow, std::max(0, along - 2 * arrow), arrow};
}

// The thumb's length and the largest position it can stand for; length 0 when none shows.
void thumb_of(const Track& track, const ScrollBar& bar, int& length, int& last_pos) {
    long range = static_cast<long>(bar.max) - bar.min + 1;
    long page = std::max<long>(1, bar.page);
    last_pos = static_cast<int>(bar.max - page + 1);
    length = 0;
    if (!bar.enabled || range <= 1 || last_pos <= bar.min) return;
    int len = bar.page ? static_cast<int>(track.length * static_cast<long>(bar.page) / range) : kScrollBar;
    len = std::max(len, kMinThumb);
    if (len > track.length) return;
    length = len;
}

}  // namespace

ScrollBarLayout layout_scroll_bar(const RECT& rect, const ScrollBar& bar) {
    Track track = track_of(rect, bar.vertical);
    int thumb_length = 0;
    int last_pos = 0;
    thumb_of(track, bar, thumb_length, last_pos);
    int thumb_start = track.start;
    if (thumb_length > 0) {
        int pos = std::clamp(bar.pos, bar.min, last_pos);
        thumb_start += static_cast<int>(static_cast<long>(track.length - thumb_length) * (pos - bar.min) /
                                        std::max(1, last_pos - bar.min));
    }
    auto span = [&](int from, int to) {
        return bar.vertical ? RECT{rect.left, rect.top + from, rect.right, rect.top + to}
                            : RECT{rect.left + from, rect.top, rect.left + to, rect.bottom};
    };
    int track_end = track.start + track.length;
    ScrollBarLayout layout;
    layout.line_up = span(0, track.arrow);
    layout.line_down = span(track_end, track_end + track.arrow);
    if (thumb_length > 0) {
        layout.page_up = span(track.start, thumb_start);
        layout.thumb = span(thumb_start, thumb_start + thumb_length);
        layout.page_down = span(thumb_start + thumb_length, track_end);
    } else {
        layout.page_up = span(track.start, track_end);
        layout.thumb = RECT{0, 0, 0, 0};
        layout.page_down = span(track_end, track_end);
    }
    return layout;
}

ScrollPart hit_scroll_bar(const ScrollBarLayout& layout, POINT p) {
    auto in = [&](const RECT& r) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; };
    if (in(layout.line_up)) return ScrollPart::LineUp;
    if (in(layout.line_down)) return ScrollPart::LineDown;
    if (in(layout.thumb)) return ScrollPart::Thumb;
    if (in(layout.page_up)) return ScrollPart::PageUp;
    if (in(layout.page_down)) return ScrollPart::PageDown;
    return ScrollPart::None;
}

int scroll_pos_for_thumb(const RECT& rect, const ScrollBar& bar, int thumb_start) {
    Track track = track_of(rect, bar.vertical);
    int thumb_length = 0;
    int last_pos = 0;
    thumb_of(track, bar, thumb_length, last_pos);
    if (thumb_length == 0) return bar.pos;
    int room = track.length - thumb_length;
    if (room <= 0) return bar.min;
    int offset = std::clamp(thumb_start - track.start, 0, room);
    return bar.min + static_cast<int>((static_cast<long>(offset) * (last_pos - bar.min) + room / 2) / room);
}

void draw_scroll_bar(HDC hdc, const RECT& rect, const ScrollBar& bar) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return;
    ScrollBarLayout layout = layout_scroll_bar(rect, bar);
    bool scrollable = !rect_empty(layout.thumb);
    bool arrows_enabled = bar.enabled && scrollable;
    draw_arrow_button(hdc, layout.line_up, bar.vertical ? Arrow::Up : Arrow::Left,
                      bar.pressed == ScrollPart::LineUp, arrows_enabled);
    draw_arrow_button(hdc, layout.line_down, bar.vertical ? Arrow::Down : Arrow::Right,
                      bar.pressed == ScrollPart::LineDown, arrows_enabled);
    Canvas canvas = dc->canvas();
    auto track = [&](const RECT& r, bool pressed) {
        if (pressed) dither(canvas, r, sys(COLOR_3DDKSHADOW), sys(COLOR_BTNSHADOW));
        else dither(canvas, r, sys(COLOR_BTNHIGHLIGHT), sys(COLOR_SCROLLBAR));
    };
    track(layout.page_up, bar.pressed == ScrollPart::PageUp);
    track(layout.page_down, bar.pressed == ScrollPart::PageDown);
    if (scrollable) {
        RECT thumb = layout.thumb;
        draw_edge(hdc, thumb, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    }
}

}  // namespace winsim::gdi::classic
