#include "image_files.h"

#include "byte_writer.h"

namespace rc {

namespace {

const std::size_t BITMAP_FILE_HEADER_SIZE = 14;
const std::size_t BITMAP_INFO_HEADER_SIZE = 40;
const std::size_t ICON_DIR_SIZE = 6;
const std::size_t ICON_DIR_ENTRY_SIZE = 16;

std::uint16_t word_at(const std::string& s, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) |
                                      (static_cast<unsigned char>(s[at + 1]) << 8));
}

std::uint32_t dword_at(const std::string& s, std::size_t at) {
    return word_at(s, at) | (static_cast<std::uint32_t>(word_at(s, at + 2)) << 16);
}

// Entries of the colour table that a BITMAPINFOHEADER announces.
std::uint64_t color_table_entries(std::uint16_t bit_count, std::uint32_t clr_used) {
    if (clr_used != 0) return clr_used;
    if (bit_count <= 8) return 1ull << bit_count;
    return 0;
}

}  // namespace

std::vector<std::uint8_t> dib_from_bmp_file(const std::string& file) {
    if (file.size() < BITMAP_FILE_HEADER_SIZE + 12 || file[0] != 'B' || file[1] != 'M')
        throw FormatError("not a bitmap file");
    const std::uint32_t bits_offset = dword_at(file, 10);
    const std::uint32_t header_size = dword_at(file, BITMAP_FILE_HEADER_SIZE);
    if (header_size < 12 || BITMAP_FILE_HEADER_SIZE + header_size > file.size())
        throw FormatError("bitmap header is cut short");
    if (header_size >= BITMAP_INFO_HEADER_SIZE) {
        const std::uint16_t bit_count = word_at(file, BITMAP_FILE_HEADER_SIZE + 14);
        const std::uint32_t compression = dword_at(file, BITMAP_FILE_HEADER_SIZE + 16);
        const std::uint32_t clr_used = dword_at(file, BITMAP_FILE_HEADER_SIZE + 32);
        std::uint64_t masks = (compression == 3 && header_size == BITMAP_INFO_HEADER_SIZE) ? 12 : 0;
        // Whoever draws the DIB finds the pixels right after the colour table; a file
        // that keeps them elsewhere would be drawn from the wrong bytes.
        std::uint64_t expected = BITMAP_FILE_HEADER_SIZE + header_size + masks +
                                 4 * color_table_entries(bit_count, clr_used);
        if (bits_offset != expected) throw FormatError("bitmap pixels do not follow its colour table");
        if (expected > file.size()) throw FormatError("bitmap colour table is cut short");
    }
    return std::vector<std::uint8_t>(file.begin() + BITMAP_FILE_HEADER_SIZE, file.end());
}

std::vector<IconImage> images_from_ico_file(const std::string& file) {
    if (file.size() < ICON_DIR_SIZE || word_at(file, 0) != 0 || word_at(file, 2) != 1)
        throw FormatError("not an icon file");
    const std::uint16_t count = word_at(file, 4);
    if (count == 0) throw FormatError("icon file holds no image");
    if (ICON_DIR_SIZE + count * ICON_DIR_ENTRY_SIZE > file.size())
        throw FormatError("icon directory is cut short");
    std::vector<IconImage> images;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::size_t entry = ICON_DIR_SIZE + i * ICON_DIR_ENTRY_SIZE;
        IconImage image;
        image.width = static_cast<std::uint8_t>(file[entry]);
        image.height = static_cast<std::uint8_t>(file[entry + 1]);
        image.color_count = static_cast<std::uint8_t>(file[entry + 2]);
        image.planes = word_at(file, entry + 4);
        image.bit_count = word_at(file, entry + 6);
        const std::uint32_t size = dword_at(file, entry + 8);
        const std::uint32_t offset = dword_at(file, entry + 12);
        if (size < BITMAP_INFO_HEADER_SIZE || offset > file.size() || size > file.size() - offset)
            throw FormatError("icon image " + std::to_string(i) + " lies outside the file");
        image.data.assign(file.begin() + offset, file.begin() + offset + size);
        // Files often leave planes and depth at zero; the image's own header has them.
        if (image.planes == 0) image.planes = word_at(file, offset + 12);
        if (image.bit_count == 0) image.bit_count = word_at(file, offset + 14);
        images.push_back(std::move(image));
    }
    return images;
}

std::vector<std::uint8_t> encode_icon_group(const std::vector<IconImage>& images, std::uint16_t first_id) {
    ByteWriter out;
    out.word(0);  // reserved
    out.word(1);  // type: icon
    out.word(static_cast<std::uint16_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        out.byte(image.width);
        out.byte(image.height);
        out.byte(image.color_count);
        out.byte(0);
        out.word(image.planes);
        out.word(image.bit_count);
        out.dword(static_cast<std::uint32_t>(image.data.size()));
        out.word(static_cast<std::uint16_t>(first_id + i));
    }
    return out.take();
}

}  // namespace rc
