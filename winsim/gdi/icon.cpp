#include "gdi/icon.h"

#include <cstring>

#include "gdi/dib_image.h"
#include "gdi/handle_table.h"
#include "win/gdi.h"

namespace winsim::gdi {

namespace {

HandleTable<Icon>& icons() {
    static HandleTable<Icon> table(0x80000);
    return table;
}

}  // namespace

Icon::Icon(int width, int height)
    : color_(width, height, 0), mask_(static_cast<std::size_t>(width) * height, 1) {}

std::shared_ptr<Icon> Icon::from_image(const std::uint8_t* data, std::size_t size) {
    if (!data || size < sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPINFOHEADER h;
    std::memcpy(&h, data, sizeof h);
    if (h.biSize < sizeof h || h.biWidth <= 0 || h.biHeight <= 0 || (h.biHeight & 1) || h.biWidth > 256)
        return nullptr;
    int width = h.biWidth;
    int height = h.biHeight / 2;
    std::size_t table = h.biSize + 4u * DibImage::color_count(h);
    std::size_t xor_stride = ((static_cast<std::size_t>(width) * h.biBitCount + 31) / 32) * 4;
    std::size_t and_stride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    if (table + xor_stride * height + and_stride * height > size) return nullptr;

    // The colour rows as a DIB of the icon's own height.
    std::vector<std::uint8_t> header(data, data + table);
    BITMAPINFOHEADER xor_header = h;
    xor_header.biHeight = height;
    std::memcpy(header.data(), &xor_header, sizeof xor_header);
    DibImage image(reinterpret_cast<const BITMAPINFO*>(header.data()), data + table, DIB_RGB_COLORS);
    if (!image.valid()) return nullptr;

    auto icon = std::make_shared<Icon>(width, height);
    const std::uint8_t* and_bits = data + table + xor_stride * height;
    for (int y = 0; y < height; ++y) {
        int stored = height - 1 - y;   // icon images are stored bottom-up
        image.decode_row(stored, icon->color_.row(y));
        const std::uint8_t* mask_row = and_bits + and_stride * stored;
        for (int x = 0; x < width; ++x) icon->set_masked(x, y, (mask_row[x >> 3] >> (7 - (x & 7))) & 1);
    }
    return icon;
}

void Icon::draw(Canvas& canvas, int x, int y, int w, int h, unsigned flags) const {
    if (w <= 0 || h <= 0 || width() == 0 || height() == 0) return;
    POINT o = canvas.origin();
    canvas.for_each_visible(RECT{x, y, x + w, y + h}, [&](const RECT& r) {
        for (int sy = r.top; sy < r.bottom; ++sy) {
            int iy = (sy - o.y - y) * height() / h;
            std::uint32_t* out = canvas.surface().row(sy);
            const std::uint32_t* colors = color_.row(iy);
            for (int sx = r.left; sx < r.right; ++sx) {
                int ix = (sx - o.x - x) * width() / w;
                std::uint32_t pixel = out[sx];
                if (flags & DI_MASK) pixel = masked(ix, iy) ? pixel : 0;
                if (flags & DI_IMAGE) pixel ^= colors[ix];
                out[sx] = pixel & 0xFFFFFF;
            }
        }
    });
}

HICON add_icon(std::shared_ptr<Icon> icon) { return reinterpret_cast<HICON>(icons().add(std::move(icon))); }
std::shared_ptr<Icon> find_icon(HICON handle) { return icons().find(handle); }
bool remove_icon(HICON handle) { return icons().remove(handle); }

}  // namespace winsim::gdi
