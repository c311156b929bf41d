// Lines and rectangle outlines drawn with a pen.
#pragma once

#include "gdi/canvas.h"
#include "gdi/pen.h"

namespace winsim::gdi {

class LinePainter {
public:
    LinePainter(Canvas& canvas, const Pen& pen) : canvas_(canvas), pen_(pen) {}

    // From (x1, y1) to (x2, y2). A one-pixel line leaves out its last point, as LineTo does;
    // a wider line is centred on the path (for an even width the extra row or column lies
    // above or left of it) and its ends are capped by half the width.
    void line(int x1, int y1, int x2, int y2);

    // The outline of Rectangle(left, top, right, bottom): an inside-frame pen keeps its whole
    // width within the rectangle, another pen is centred on the rectangle's edge pixels.
    void outline(RECT rect);

private:
    void thin_line(int x1, int y1, int x2, int y2);
    void square(int cx, int cy);

    Canvas& canvas_;
    const Pen& pen_;
};

}  // namespace winsim::gdi
