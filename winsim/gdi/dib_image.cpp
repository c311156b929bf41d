#include "gdi/dib_image.h"

#include <algorithm>
#include <cstring>

namespace winsim::gdi {

int DibImage::color_count(const BITMAPINFOHEADER& h) {
    if (h.biClrUsed != 0) return static_cast<int>(std::min<DWORD>(h.biClrUsed, 256));
    switch (h.biBitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

DibImage::DibImage(const BITMAPINFO* info, const void* bits, UINT usage,
                   const std::vector<PALETTEENTRY>* palette)
    : bits_(static_cast<const std::uint8_t*>(bits)) {
    if (!info || !bits) return;
    BITMAPINFOHEADER h;
    std::memcpy(&h, &info->bmiHeader, sizeof h);
    // Larger than any screen by far: a damaged header, not a picture.
    constexpr LONG kMaxSide = 16384;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > kMaxSide ||
        h.biHeight > kMaxSide || h.biHeight < -kMaxSide || h.biCompression != BI_RGB)
        return;
    bpp_ = h.biBitCount;
    if (bpp_ != 1 && bpp_ != 4 && bpp_ != 8 && bpp_ != 16 && bpp_ != 24 && bpp_ != 32) return;
    width_ = h.biWidth;
    height_ = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    top_down_ = h.biHeight < 0;
    stride_ = ((static_cast<std::size_t>(width_) * bpp_ + 31) / 32) * 4;

    int n = color_count(h);
    const std::uint8_t* table = reinterpret_cast<const std::uint8_t*>(info) + h.biSize;
    for (int i = 0; i < n; ++i) {
        if (usage == DIB_PAL_COLORS) {
            std::uint16_t index;
            std::memcpy(&index, table + 2 * i, 2);
            if (palette && index < palette->size()) {
                const PALETTEENTRY& e = (*palette)[index];
                colors_[i] = (std::uint32_t(e.peRed) << 16) | (std::uint32_t(e.peGreen) << 8) | e.peBlue;
            }
        } else {
            const std::uint8_t* q = table + 4 * i;
            colors_[i] = (std::uint32_t(q[2]) << 16) | (std::uint32_t(q[1]) << 8) | q[0];
        }
    }
    valid_ = true;
}

void DibImage::decode_row(int stored_row, std::uint32_t* out) const {
    const std::uint8_t* p = bits_ + stride_ * static_cast<std::size_t>(stored_row);
    switch (bpp_) {
        case 1:
            for (int x = 0; x < width_; ++x) out[x] = colors_[(p[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < width_; ++x) out[x] = colors_[(p[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
            break;
        case 8:
            for (int x = 0; x < width_; ++x) out[x] = colors_[p[x]];
            break;
        case 16:
            for (int x = 0; x < width_; ++x) {
                unsigned v = p[2 * x] | (p[2 * x + 1] << 8);
                unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
                out[x] = (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
            }
            break;
        case 24:
            for (int x = 0; x < width_; ++x)
                out[x] = (std::uint32_t(p[3 * x + 2]) << 16) | (std::uint32_t(p[3 * x + 1]) << 8) | p[3 * x];
            break;
        case 32:
            for (int x = 0; x < width_; ++x)
                out[x] = (std::uint32_t(p[4 * x + 2]) << 16) | (std::uint32_t(p[4 * x + 1]) << 8) | p[4 * x];
            break;
    }
}

void stretch_dib(Canvas& canvas, const RECT& dest, const DibImage& image, int src_x, int src_y,
                 int src_width, int src_height) {
    int dw = dest.right - dest.left;
    int dh = dest.bottom - dest.top;
    if (dw <= 0 || dh <= 0 || src_width <= 0 || src_height <= 0) return;
    std::vector<std::uint32_t> line(image.width());
    POINT o = canvas.origin();
    canvas.for_each_visible(dest, [&](const RECT& r) {
        int cached = -1;
        for (int sy = r.top; sy < r.bottom; ++sy) {
            int dy = sy - o.y - dest.top;
            int row = src_y + static_cast<int>(static_cast<long long>(dy) * src_height / dh);
            if (row < 0 || row >= image.height()) continue;
            int stored = image.stored_row_of_top_row(row);
            if (stored != cached) {
                image.decode_row(stored, line.data());
                cached = stored;
            }
            std::uint32_t* out = canvas.surface().row(sy);
            for (int sx = r.left; sx < r.right; ++sx) {
                int dx = sx - o.x - dest.left;
                int col = src_x + static_cast<int>(static_cast<long long>(dx) * src_width / dw);
                if (col >= 0 && col < image.width()) out[sx] = line[col];
            }
        }
    });
}

}  // namespace winsim::gdi
