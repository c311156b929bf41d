#include "comctl/image_list.h"

#include <mutex>
#include <unordered_set>

#include "gdi/device_context.h"
#include "gdi/surface.h"
#include "win/gdi.h"

namespace winsim::comctl {

namespace {

// The lists alive now, so that a stale or made-up handle is refused.
class LiveLists {
public:
    static LiveLists& instance() {
        static LiveLists lists;
        return lists;
    }
    void add(ImageList* list) {
        std::lock_guard lock(mutex_);
        lists_.insert(list);
    }
    void remove(ImageList* list) {
        std::lock_guard lock(mutex_);
        lists_.erase(list);
    }
    bool contains(ImageList* list) {
        std::lock_guard lock(mutex_);
        return lists_.count(list) > 0;
    }

private:
    std::mutex mutex_;
    std::unordered_set<ImageList*> lists_;
};

// `share` parts of 4 of the blend colour over the rest of the pixel's own.
std::uint32_t blend(std::uint32_t rgb, std::uint32_t with, int share) {
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        std::uint32_t a = (rgb >> shift) & 0xFF;
        std::uint32_t b = (with >> shift) & 0xFF;
        out |= (((a * (4 - share) + b * share) / 4) & 0xFF) << shift;
    }
    return out;
}

}  // namespace

ImageList::ImageList(int width, int height) : width_(width), height_(height) {
    LiveLists::instance().add(this);
}

ImageList::~ImageList() {
    LiveLists::instance().remove(this);
}

ImageList* ImageList::from_handle(HIMAGELIST handle) {
    auto* list = reinterpret_cast<ImageList*>(handle);
    return list && LiveLists::instance().contains(list) ? list : nullptr;
}

int ImageList::add(std::vector<std::uint32_t> pixels, std::vector<bool> mask) {
    const std::size_t size = static_cast<std::size_t>(width_) * height_;
    if (pixels.size() != size || mask.size() != size) return -1;
    images_.push_back({std::move(pixels), std::move(mask)});
    return count() - 1;
}

std::vector<DrawnPixel> ImageList::render(int index, UINT style, std::uint32_t blend_rgb) const {
    if (index < 0 || index >= count()) return {};
    const Image& image = images_[index];
    int share = 0;
    if (style & ILD_BLEND50) share = 2;
    else if (style & ILD_BLEND25) share = 1;
    std::vector<DrawnPixel> out(image.pixels.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (style & ILD_MASK) {
            // The mask itself: black where the image is, white around it.
            out[i] = {image.mask[i] ? 0x000000u : 0xFFFFFFu, true};
        } else {
            out[i] = {share ? blend(image.pixels[i], blend_rgb, share) : image.pixels[i], image.mask[i]};
        }
    }
    return out;
}

}  // namespace winsim::comctl

using winsim::comctl::ImageList;

BOOL WINAPI ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
    ImageList* list = ImageList::from_handle(himl);
    if (!list) return FALSE;
    winsim::gdi::DeviceContext* dc = winsim::gdi::DeviceContext::from(hdcDst);
    if (!dc) return FALSE;
    // The blend colour of a list whose foreground colour is the default: the highlight.
    const std::uint32_t highlight = winsim::gdi::rgb_of(GetSysColor(COLOR_HIGHLIGHT));
    std::vector<winsim::comctl::DrawnPixel> pixels = list->render(i, fStyle, highlight);
    if (pixels.empty()) return FALSE;
    winsim::gdi::Canvas canvas = dc->canvas();
    for (int row = 0; row < list->height(); ++row)
        for (int column = 0; column < list->width(); ++column) {
            const auto& pixel = pixels[static_cast<std::size_t>(row) * list->width() + column];
            if (pixel.painted) canvas.plot(x + column, y + row, pixel.rgb);
        }
    return TRUE;
}

BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
    ImageList* list = ImageList::from_handle(himl);
    if (!list || !cx || !cy) return FALSE;
    *cx = list->width();
    *cy = list->height();
    return TRUE;
}

int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
    ImageList* list = ImageList::from_handle(himl);
    return list ? list->count() : 0;
}
