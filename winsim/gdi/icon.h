// An icon: a colour image with its AND mask (transparent where the mask is set), drawn the
// way Windows combines them: screen AND mask, then XOR colour.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gdi/canvas.h"
#include "gdi/surface.h"
#include "win/base.h"

namespace winsim::gdi {

class Icon {
public:
    Icon(int width, int height);

    // An RT_ICON image: BITMAPINFOHEADER of doubled height, colour table, XOR rows, AND rows.
    static std::shared_ptr<Icon> from_image(const std::uint8_t* data, std::size_t size);

    int width() const { return color_.width(); }
    int height() const { return color_.height(); }
    Surface& color() { return color_; }
    const Surface& color() const { return color_; }
    bool masked(int x, int y) const { return mask_[static_cast<std::size_t>(y) * width() + x] != 0; }
    void set_masked(int x, int y, bool on) { mask_[static_cast<std::size_t>(y) * width() + x] = on; }

    // Shared icons (system icons, LR_SHARED) survive DestroyIcon.
    bool shared() const { return shared_; }
    void set_shared(bool shared) { shared_ = shared; }

    // Scaled to width x height (nearest pixel); `flags` are DI_MASK and DI_IMAGE.
    void draw(Canvas& canvas, int x, int y, int width, int height, unsigned flags) const;

private:
    Surface color_;
    std::vector<std::uint8_t> mask_;
    bool shared_ = false;
};

// Every live icon of the process, by handle.
HICON add_icon(std::shared_ptr<Icon> icon);
std::shared_ptr<Icon> find_icon(HICON handle);
bool remove_icon(HICON handle);

// Our own 32 x 32 pictures of the system icons (IDI_*), or null for another id.
std::shared_ptr<Icon> system_icon(unsigned id);

}  // namespace winsim::gdi
