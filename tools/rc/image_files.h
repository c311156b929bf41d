// Bitmap and icon files as resources: a bitmap keeps its DIB without the file header;
// an icon file becomes one image resource per image and a group directory over them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace rc {

class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The DIB of a .bmp file: everything after its 14-byte BITMAPFILEHEADER.
std::vector<std::uint8_t> dib_from_bmp_file(const std::string& file);

struct IconImage {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t color_count = 0;
    std::uint16_t planes = 0;
    std::uint16_t bit_count = 0;
    std::vector<std::uint8_t> data;  // the image's BITMAPINFOHEADER, colours, XOR and AND masks
};

std::vector<IconImage> images_from_ico_file(const std::string& file);

// GRPICONDIR with one GRPICONDIRENTRY per image; the images are numbered from first_id.
std::vector<std::uint8_t> encode_icon_group(const std::vector<IconImage>& images, std::uint16_t first_id);

}  // namespace rc
