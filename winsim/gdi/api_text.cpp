// The edge of the drawing services: text output, measuring and DrawText.
#include <cstring>

#include "gdi/device_context.h"
#include "win/kernel.h"
#include "gdi/text_layout.h"
#include "gdi/text_painter.h"
#include "win/gdi.h"

using namespace winsim::gdi;

namespace {

int length_of(LPCSTR text, int count) {
    if (!text) return 0;
    return count < 0 ? static_cast<int>(std::strlen(text)) : count;
}

// The context's clip narrowed to a logical rectangle.
Region clip_to(DeviceContext& dc, const RECT& logical) {
    Region clip = dc.clip();
    POINT o = dc.origin();
    clip.intersect(RECT{logical.left + o.x, logical.top + o.y, logical.right + o.x, logical.bottom + o.y});
    return clip;
}

// One run of text at (x, y) with the context's colours and background mode.
void draw_run(DeviceContext& dc, Canvas& canvas, int x, int y, const char* text, int count,
              const INT* dx) {
    const RealizedFont& font = dc.font().realized();
    TextPainter painter(canvas, font);
    std::uint32_t text_rgb = rgb_of(dc.text_color);
    if (!dx) {
        if (dc.bk_mode == OPAQUE) painter.draw_background(x, y, font.text_width(text, count), rgb_of(dc.bk_color));
        painter.draw(x, y, text, count, text_rgb);
        return;
    }
    int pen_x = x;
    for (int i = 0; i < count; ++i) {
        if (dc.bk_mode == OPAQUE) painter.draw_background(pen_x, y, dx[i], rgb_of(dc.bk_color));
        painter.draw(pen_x, y, text + i, 1, text_rgb);
        pen_x += dx[i];
    }
}

}  // namespace

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text,
                        UINT count, const INT* dx) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return FALSE;
    if (count > 0 && !text) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (rect && (options & ETO_OPAQUE)) dc->canvas().fill(*rect, rgb_of(dc->bk_color));
    if (count == 0) return TRUE;
    if (rect && (options & ETO_CLIPPED)) {
        Region clip = clip_to(*dc, *rect);
        Canvas canvas(dc->surface(), clip, dc->origin());
        draw_run(*dc, canvas, x, y, text, static_cast<int>(count), dx);
    } else {
        Canvas canvas = dc->canvas();
        draw_run(*dc, canvas, x, y, text, static_cast<int>(count), dx);
    }
    return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
    if (count < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ExtTextOutA(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return FALSE;
    if (!size || count < 0 || (count > 0 && !text)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RealizedFont& font = dc->font().realized();
    size->cx = font.text_width(text, count);
    size->cy = font.height();
    return TRUE;
}

BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    return GetTextExtentPoint32A(hdc, text, count, size);
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return FALSE;
    if (!tm) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RealizedFont& font = dc->font().realized();
    *tm = TEXTMETRICA{};
    tm->tmHeight = font.height();
    tm->tmAscent = font.ascent();
    tm->tmDescent = font.descent();
    tm->tmInternalLeading = font.internal_leading();
    tm->tmAveCharWidth = font.average_width();
    tm->tmMaxCharWidth = font.max_width();
    tm->tmWeight = font.weight();
    tm->tmDigitizedAspectX = 96;
    tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = dc->font().logfont().lfItalic;
    tm->tmUnderlined = font.underline();
    tm->tmStruckOut = font.strike_out();
    // As Windows reports it: the low bit set means a variable-pitch font.
    tm->tmPitchAndFamily = static_cast<BYTE>((font.pitch_and_family() & 0xF0) | 0x06 |
                                             (((font.pitch_and_family() & 3) == FIXED_PITCH) ? 0 : 1));
    tm->tmCharSet = dc->font().logfont().lfCharSet;
    return TRUE;
}

int WINAPI DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return 0;
    if (!rect || (!text && count != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    count = length_of(text, count);
    const RealizedFont& font = dc->font().realized();
    TextLayout layout(font, text ? text : "", count, format, rect->right - rect->left);
    int line_height = layout.line_height();
    int total = line_height * static_cast<int>(layout.lines().size());
    bool single = (format & DT_SINGLELINE) != 0;

    if (format & DT_CALCRECT) {
        rect->right = rect->left + layout.widest();
        rect->bottom = rect->top + total;
        return total;
    }

    int y = rect->top;
    if (single && (format & DT_VCENTER)) y = rect->top + (rect->bottom - rect->top - line_height) / 2;
    else if (single && (format & DT_BOTTOM)) y = rect->bottom - line_height;
    int top = y;

    Region clip = (format & DT_NOCLIP) ? dc->clip() : clip_to(*dc, *rect);
    Canvas canvas(dc->surface(), clip, dc->origin());
    TextPainter painter(canvas, font);
    std::uint32_t text_rgb = rgb_of(dc->text_color);
    bool underline = (format & DT_HIDEPREFIX) == 0;
    for (const TextLine& line : layout.lines()) {
        int x = rect->left;
        if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - line.width) / 2;
        else if (format & DT_RIGHT) x = rect->right - line.width;
        if (dc->bk_mode == OPAQUE) painter.draw_background(x, y, line.width, rgb_of(dc->bk_color));
        std::vector<int> at = layout.offsets(line);
        if (line.text.find('\t') == std::string::npos || !(format & DT_EXPANDTABS)) {
            painter.draw(x, y, line.text.data(), static_cast<int>(line.text.size()), text_rgb);
        } else {
            for (std::size_t i = 0; i < line.text.size(); ++i)
                if (line.text[i] != '\t') painter.draw(x + at[i], y, &line.text[i], 1, text_rgb);
        }
        if (underline)
            for (int m : line.underlined) painter.underline(x + at[m], y, at[m + 1] - at[m], text_rgb);
        y += line_height;
    }
    if (single && (format & (DT_VCENTER | DT_BOTTOM))) return top + total - rect->top;
    return total;
}
