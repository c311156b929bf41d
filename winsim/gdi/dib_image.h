// A device-independent bitmap in memory (BITMAPINFO and pixel rows, as in a resource):
// checked once, then read row by row as screen pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/canvas.h"
#include "win/gdi.h"

namespace winsim::gdi {

class DibImage {
public:
    // `palette` resolves DIB_PAL_COLORS indices; ignored for DIB_RGB_COLORS.
    DibImage(const BITMAPINFO* info, const void* bits, UINT usage,
             const std::vector<PALETTEENTRY>* palette = nullptr);

    bool valid() const { return valid_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool top_down() const { return top_down_; }
    int bits_per_pixel() const { return bpp_; }

    // Screen pixels of one stored row (0 is the first row in memory), `width()` of them.
    void decode_row(int stored_row, std::uint32_t* out) const;
    // The stored row that holds image row `y` counted from the top.
    int stored_row_of_top_row(int y) const { return top_down_ ? y : height_ - 1 - y; }

    // The size in bytes of one stored row.
    std::size_t stride() const { return stride_; }
    // Number of colour-table entries that follow the header.
    static int color_count(const BITMAPINFOHEADER& header);

private:
    const std::uint8_t* bits_;
    bool valid_ = false;
    int width_ = 0;
    int height_ = 0;
    bool top_down_ = false;
    int bpp_ = 0;
    std::size_t stride_ = 0;
    std::uint32_t colors_[256] = {};
};

// Draws the source rectangle of a DIB (x, y from the image's top left) scaled into the
// destination rectangle, nearest pixel, within the canvas's clip.
void stretch_dib(Canvas& canvas, const RECT& dest, const DibImage& image, int src_x, int src_y,
                 int src_width, int src_height);

}  // namespace winsim::gdi
