// Runs of text in a realised font: measured, and drawn at a top-left point in the context's
// text colour, over a background box when the mode is opaque.
#pragma once

#include "gdi/canvas.h"
#include "gdi/realized_font.h"

namespace winsim::gdi {

class TextPainter {
public:
    TextPainter(Canvas& canvas, const RealizedFont& font) : canvas_(canvas), font_(font) {}

    // Draws `count` characters with their cell's top left at (x, y); answers the width.
    int draw(int x, int y, const char* text, int count, std::uint32_t text_rgb);
    // Fills the cell box of the run with the background colour.
    void draw_background(int x, int y, int width, std::uint32_t bk_rgb);
    // The mnemonic underline under one character cell.
    void underline(int x, int y, int width, std::uint32_t text_rgb);

private:
    void draw_glyph(const Glyph& glyph, int pen_x, int baseline, std::uint32_t rgb);

    Canvas& canvas_;
    const RealizedFont& font_;
};

}  // namespace winsim::gdi
