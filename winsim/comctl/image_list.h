// An image list: images of one size, each with a mask that says which pixels belong to it.
#pragma once

#include <cstdint>
#include <vector>

#include "win/imagelist.h"

namespace winsim::comctl {

// One pixel as drawn: its colour (0x00RRGGBB) and whether it is painted at all.
struct DrawnPixel {
    std::uint32_t rgb;
    bool painted;
};

class ImageList {
public:
    ImageList(int width, int height);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    HIMAGELIST handle() { return reinterpret_cast<HIMAGELIST>(this); }
    // The live list behind a handle, or null.
    static ImageList* from_handle(HIMAGELIST handle);

    int width() const { return width_; }
    int height() const { return height_; }
    int count() const { return static_cast<int>(images_.size()); }

    // Adds an image of width x height pixels (rows top first) with its mask (true: the
    // pixel belongs to the image); answers its index.
    int add(std::vector<std::uint32_t> pixels, std::vector<bool> mask);

    // Image `index` as ImageList_Draw paints it with `style`, blending with `blend_rgb`;
    // empty when there is no such image.
    std::vector<DrawnPixel> render(int index, UINT style, std::uint32_t blend_rgb) const;

private:
    struct Image {
        std::vector<std::uint32_t> pixels;
        std::vector<bool> mask;
    };
    int width_;
    int height_;
    std::vector<Image> images_;
};

}  // namespace winsim::comctl
