#include "gdi/text_painter.h"

namespace winsim::gdi {

void TextPainter::draw_glyph(const Glyph& glyph, int pen_x, int baseline, std::uint32_t rgb) {
    if (glyph.width == 0 || glyph.height == 0) return;
    int gx = pen_x + glyph.left;
    int gy = baseline - glyph.top;
    POINT o = canvas_.origin();
    canvas_.for_each_visible(RECT{gx, gy, gx + glyph.width, gy + glyph.height}, [&](const RECT& r) {
        Surface& surface = canvas_.surface();
        for (int sy = r.top; sy < r.bottom; ++sy) {
            const std::uint8_t* bits = glyph.bits.data() + static_cast<std::size_t>(sy - o.y - gy) * glyph.width;
            std::uint32_t* row = surface.row(sy);
            for (int sx = r.left; sx < r.right; ++sx)
                if (bits[sx - o.x - gx]) row[sx] = rgb;
        }
    });
}

int TextPainter::draw(int x, int y, const char* text, int count, std::uint32_t rgb) {
    int baseline = y + font_.ascent();
    int pen_x = x;
    for (int i = 0; i < count; ++i) {
        const Glyph& glyph = font_.glyph(static_cast<unsigned char>(text[i]));
        draw_glyph(glyph, pen_x, baseline, rgb);
        pen_x += glyph.advance;
    }
    int width = pen_x - x;
    if (font_.underline())
        canvas_.fill(RECT{x, baseline + font_.underline_offset(), pen_x,
                          baseline + font_.underline_offset() + font_.line_thickness()}, rgb);
    if (font_.strike_out()) {
        int sy = baseline - font_.ascent() / 3;
        canvas_.fill(RECT{x, sy, pen_x, sy + font_.line_thickness()}, rgb);
    }
    return width;
}

void TextPainter::draw_background(int x, int y, int width, std::uint32_t bk_rgb) {
    canvas_.fill(RECT{x, y, x + width, y + font_.height()}, bk_rgb);
}

void TextPainter::underline(int x, int y, int width, std::uint32_t rgb) {
    int uy = y + font_.ascent() + 1;
    canvas_.fill(RECT{x, uy, x + width, uy + 1}, rgb);
}

}  // namespace winsim::gdi
