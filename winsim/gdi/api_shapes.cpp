// The edge of the drawing services: rectangles, lines, edges, flood fill, pixels.
#include "gdi/brush_lookup.h"
#include "gdi/classic_style.h"
#include "gdi/device_context.h"
#include "gdi/flood_fill.h"
#include "win/kernel.h"
#include "gdi/line_painter.h"
#include "win/gdi.h"

using namespace winsim::gdi;

namespace {

// The context and brush of a call, with ERROR_INVALID_HANDLE when either is unknown.
bool context_and_brush(HDC hdc, HBRUSH handle, DeviceContext*& dc, std::shared_ptr<Brush>& brush) {
    dc = DeviceContext::from(hdc);
    brush = brush_of(handle);
    if (!dc || !brush) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

}  // namespace

int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH handle) {
    DeviceContext* dc;
    std::shared_ptr<Brush> brush;
    if (!rect || !context_and_brush(hdc, handle, dc, brush)) return 0;
    if (!brush->null()) dc->canvas().fill(*rect, brush->rgb());
    return 1;
}

int WINAPI FrameRect(HDC hdc, const RECT* rect, HBRUSH handle) {
    DeviceContext* dc;
    std::shared_ptr<Brush> brush;
    if (!rect || !context_and_brush(hdc, handle, dc, brush)) return 0;
    if (brush->null() || rect->right <= rect->left || rect->bottom <= rect->top) return 1;
    Canvas canvas = dc->canvas();
    const RECT& r = *rect;
    std::uint32_t rgb = brush->rgb();
    canvas.fill(RECT{r.left, r.top, r.right, r.top + 1}, rgb);
    canvas.fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, rgb);
    canvas.fill(RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, rgb);
    canvas.fill(RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, rgb);
    return 1;
}

BOOL WINAPI InvertRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc || !rect) return FALSE;
    dc->canvas().invert(*rect);
    return TRUE;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return FALSE;
    Canvas canvas = dc->canvas();
    LinePainter(canvas, dc->pen()).line(dc->position.x, dc->position.y, x, y);
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return FALSE;
    RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    if (r.right - r.left < 2 || r.bottom - r.top < 2) return TRUE;
    Canvas canvas = dc->canvas();
    const Pen& pen = dc->pen();
    if (!dc->brush().null()) {
        RECT inside = r;
        if (pen.null()) {
            // Without a pen the interior is one pixel short on the right and at the bottom.
            --inside.right;
            --inside.bottom;
        } else {
            int inset = pen.width() <= 1 ? 1 : pen.inside_frame() ? pen.width() : (pen.width() + 1) / 2;
            inside = RECT{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
        }
        canvas.fill(inside, dc->brush().rgb());
    }
    LinePainter(canvas, pen).outline(r);
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc || !rect) return FALSE;
    Canvas canvas = dc->canvas();
    const RECT& r = *rect;
    if (r.right <= r.left || r.bottom <= r.top) return TRUE;
    // Every other pixel of the border, inverted; drawn twice it vanishes again.
    for (int x = r.left; x < r.right; ++x) {
        if (((x + r.top) & 1) == 0) canvas.xor_pixel(x, r.top, 0xFFFFFF);
        if (r.bottom - 1 > r.top && ((x + r.bottom - 1) & 1) == 0) canvas.xor_pixel(x, r.bottom - 1, 0xFFFFFF);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        if (((r.left + y) & 1) == 0) canvas.xor_pixel(r.left, y, 0xFFFFFF);
        if (r.right - 1 > r.left && ((r.right - 1 + y) & 1) == 0) canvas.xor_pixel(r.right - 1, y, 0xFFFFFF);
    }
    return TRUE;
}

BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
    if (!DeviceContext::from(hdc) || !rect) return FALSE;
    classic::draw_edge(hdc, *rect, edge, flags);
    return TRUE;
}

BOOL WINAPI ExtFloodFill(HDC hdc, int x, int y, COLORREF color, UINT type) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return FALSE;
    if (type != FLOODFILLBORDER && type != FLOODFILLSURFACE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const Brush& brush = dc->brush();
    Canvas canvas = dc->canvas();
    FloodFill fill(canvas, rgb_of(color & 0xFFFFFF),
                   type == FLOODFILLSURFACE ? FloodFill::Mode::Surface : FloodFill::Mode::Border);
    if (brush.null()) return canvas.visible(x, y) ? TRUE : FALSE;
    return fill.fill(x, y, brush.rgb()) ? TRUE : FALSE;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return CLR_INVALID;
    Canvas canvas = dc->canvas();
    if (!canvas.visible(x, y)) return CLR_INVALID;
    return colorref_of(canvas.pixel(x, y) & 0xFFFFFF);
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return CLR_INVALID;
    Canvas canvas = dc->canvas();
    if (!canvas.visible(x, y)) return CLR_INVALID;
    canvas.plot(x, y, rgb_of(color & 0xFFFFFF));
    return color & 0xFFFFFF;
}
