// The edge of the drawing services: block transfers and device-independent bitmaps.
#include <cstring>
#include <vector>

#include "gdi/device_context.h"
#include "gdi/dib_image.h"
#include "win/kernel.h"
#include "win/gdi.h"

using namespace winsim::gdi;

namespace {

bool needs_source(DWORD rop) { return rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT; }

bool known_rop(DWORD rop) {
    return needs_source(rop) || rop == PATCOPY || rop == DSTINVERT || rop == BLACKNESS || rop == WHITENESS;
}

bool monochrome(DeviceContext& dc) {
    return dc.kind() == DeviceContext::Kind::Memory && dc.bitmap()->bits_per_pixel() == 1;
}

// The source pixels of a transfer, converted between monochrome and colour the Windows way:
// mono to colour takes the destination's text colour for black and background for white;
// colour to mono gives white where the source matches its own background colour.
std::vector<std::uint32_t> read_source(DeviceContext& src, DeviceContext& dest, int sx, int sy, int w, int h) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(w) * h, 0);
    Surface& surface = src.surface();
    POINT o = src.origin();
    bool mono_to_colour = monochrome(src) && !monochrome(dest);
    bool colour_to_mono = !monochrome(src) && monochrome(dest);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int px = sx + x + o.x;
            int py = sy + y + o.y;
            std::uint32_t v = surface.contains(px, py) ? surface.pixel(px, py) & 0xFFFFFF : 0;
            if (mono_to_colour) v = v ? rgb_of(dest.bk_color) : rgb_of(dest.text_color);
            else if (colour_to_mono) v = v == rgb_of(src.bk_color) ? 0xFFFFFF : 0;
            out[static_cast<std::size_t>(y) * w + x] = v;
        }
    return out;
}

std::uint32_t combine(DWORD rop, std::uint32_t d, std::uint32_t s, std::uint32_t p) {
    switch (rop) {
        case SRCCOPY: return s;
        case SRCPAINT: return d | s;
        case SRCAND: return d & s;
        case SRCINVERT: return d ^ s;
        case PATCOPY: return p;
        case DSTINVERT: return ~d & 0xFFFFFF;
        case BLACKNESS: return 0;
        default: return 0xFFFFFF;   // WHITENESS
    }
}

}  // namespace

BOOL WINAPI BitBlt(HDC hdest, int x, int y, int width, int height, HDC hsrc, int src_x, int src_y,
                   DWORD rop) {
    DeviceContext* dest = DeviceContext::from(hdest);
    if (!dest) return FALSE;
    if (!known_rop(rop)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DeviceContext* src = nullptr;
    if (needs_source(rop)) {
        src = DeviceContext::from(hsrc);
        if (!src) return FALSE;
    }
    if (width <= 0 || height <= 0) return TRUE;
    std::vector<std::uint32_t> source;
    if (src) source = read_source(*src, *dest, src_x, src_y, width, height);
    std::uint32_t pattern = dest->brush().null() ? 0 : dest->brush().rgb();
    Canvas canvas = dest->canvas();
    POINT o = dest->origin();
    canvas.for_each_visible(RECT{x, y, x + width, y + height}, [&](const RECT& r) {
        for (int sy = r.top; sy < r.bottom; ++sy) {
            std::uint32_t* row = canvas.surface().row(sy);
            const std::uint32_t* in = src ? source.data() + static_cast<std::size_t>(sy - o.y - y) * width : nullptr;
            for (int sx = r.left; sx < r.right; ++sx)
                row[sx] = combine(rop, row[sx] & 0xFFFFFF, in ? in[sx - o.x - x] : 0, pattern);
        }
    });
    return TRUE;
}

int WINAPI SetDIBitsToDevice(HDC hdc, int x_dest, int y_dest, DWORD width, DWORD height, int x_src,
                             int y_src, UINT start_scan, UINT scan_lines, const void* bits,
                             const BITMAPINFO* info, UINT usage) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return 0;
    if (!info || !bits || scan_lines == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // The bits hold only the scans asked for: a DIB of that many rows.
    std::size_t table = (usage == DIB_PAL_COLORS ? 2u : 4u) * DibImage::color_count(info->bmiHeader);
    std::vector<std::uint8_t> header(info->bmiHeader.biSize + table);
    std::memcpy(header.data(), info, header.size());
    auto* part = reinterpret_cast<BITMAPINFOHEADER*>(header.data());
    bool top_down = info->bmiHeader.biHeight < 0;
    part->biHeight = top_down ? -static_cast<LONG>(scan_lines) : static_cast<LONG>(scan_lines);
    DibImage image(reinterpret_cast<const BITMAPINFO*>(header.data()), bits, usage, &dc->palette().entries());
    if (!image.valid()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Canvas canvas = dc->canvas();
    POINT o = canvas.origin();
    std::vector<std::uint32_t> line(image.width());
    int w = static_cast<int>(width);
    int h = static_cast<int>(height);
    for (int stored = 0; stored < static_cast<int>(scan_lines); ++stored) {
        int scan = static_cast<int>(start_scan) + stored;   // counted from the bottom, or the top when top-down
        int dy = top_down ? y_dest + (scan - y_src) : y_dest + (y_src + h - 1 - scan);
        if (scan < y_src || scan >= y_src + h) continue;
        bool decoded = false;
        canvas.for_each_visible(RECT{x_dest, dy, x_dest + w, dy + 1}, [&](const RECT& r) {
            if (!decoded) {
                image.decode_row(stored, line.data());
                decoded = true;
            }
            std::uint32_t* out = canvas.surface().row(r.top);
            for (int sx = r.left; sx < r.right; ++sx) {
                int col = x_src + (sx - o.x - x_dest);
                if (col >= 0 && col < image.width()) out[sx] = line[col];
            }
        });
    }
    return static_cast<int>(scan_lines);
}

int WINAPI StretchDIBits(HDC hdc, int x_dest, int y_dest, int dest_width, int dest_height, int x_src,
                         int y_src, int src_width, int src_height, const void* bits,
                         const BITMAPINFO* info, UINT usage, DWORD rop) {
    DeviceContext* dc = DeviceContext::from(hdc);
    if (!dc) return 0;
    if (rop != SRCCOPY || !info || !bits) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DibImage image(info, bits, usage, &dc->palette().entries());
    if (!image.valid()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dest_width <= 0 || dest_height <= 0 || src_width <= 0 || src_height <= 0) return 0;
    // A bottom-up DIB counts y_src from its bottom row.
    int top_row = image.top_down() ? y_src : image.height() - (y_src + src_height);
    Canvas canvas = dc->canvas();
    stretch_dib(canvas, RECT{x_dest, y_dest, x_dest + dest_width, y_dest + dest_height}, image, x_src,
                top_row, src_width, src_height);
    return src_height;
}
