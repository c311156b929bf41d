#include "shell/system_icons.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "comctl/image_list.h"

namespace winsim::shell {

namespace {

constexpr int small_size = 16;

// The pictures, 16 rows of 16 pixels; '.' is outside the icon, every other letter names a
// colour of the classic 16-colour palette.
using IconArt = std::string_view[small_size];

constexpr IconArt generic_file = {
    "..kkkkkkkk......", "..kwwwwwwkk.....", "..kwwwwwwkwk....", "..kwwwwwwkkkk...",
    "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...",
    "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kwwwwwwwwwk...", "..kkkkkkkkkkk...",
};
constexpr IconArt closed_folder = {
    "................", "................", "..kkkkk.........", ".kyyyyyk........",
    "kyyyyyyykkkkkkkk", "kwyyyyyyyyyyyyok", "kyyyyyyyyyyyyyok", "kyyyyyyyyyyyyyok",
    "kyyyyyyyyyyyyyok", "kyyyyyyyyyyyyyok", "kyyyyyyyyyyyyyok", "kyyyyyyyyyyyyyok",
    "kooooooooooooook", ".kkkkkkkkkkkkkk.", "................", "................",
};
constexpr IconArt open_folder = {
    "................", "................", "..kkkkk.........", ".kooooook.......",
    "koooooooookkkk..", "kookkkkkkkkkkkkk", "kokyyyyyyyyyyyk.", "kokyyyyyyyyyyk..",
    "kkyyyyyyyyyyyk..", "kkyyyyyyyyyyk...", "kyyyyyyyyyyyk...", "kyyyyyyyyyyk....",
    "kkkkkkkkkkkk....", "................", "................", "................",
};
constexpr IconArt computer = {
    "................", ".kkkkkkkkkkkkkk.", ".kggggggggggggk.", ".kgttttttttttgk.",
    ".kgtcttttttttgk.", ".kgctttttttttgk.", ".kgttttttttttgk.", ".kgttttttttttgk.",
    ".kgttttttttttgk.", ".kgttttttttttgk.", ".kggggggggggggk.", ".kkkkkkkkkkkkkk.",
    "......kddk......", "...kkkkkkkkkk...", "..kgggggggggdk..", "..kkkkkkkkkkkk..",
};
constexpr IconArt floppy_drive = {
    "................", ".kkkkkkkkkkkkkk.", ".knngggggggnnnk.", ".knngggkgggnnnk.",
    ".knngggkgggnnnk.", ".knngggggggnnnk.", ".knnnnnnnnnnnnk.", ".knwwwwwwwwwwnk.",
    ".knwwwwwwwwwwnk.", ".knwddddddddwnk.", ".knwwwwwwwwwwnk.", ".knwddddddddwnk.",
    ".knwwwwwwwwwwnk.", ".kkkkkkkkkkkkkk.", "................", "................",
};
constexpr IconArt removable_drive = {
    "................", "................", "................", "................",
    "................", "..kkkkkkkkkkkk..", ".kwwwwwwwwwwwdk.", ".kwgkkkkkkkggdk.",
    ".kwggggggggGgdk.", ".kwggggggggggdk.", ".kddddddddddddk.", "..kkkkkkkkkkkk..",
    "................", "................", "................", "................",
};
constexpr IconArt fixed_drive = {
    "................", "................", "................", "................",
    "................", "..kkkkkkkkkkkk..", ".kwwwwwwwwwwwdk.", ".kwggggggggggdk.",
    ".kwggggggggGgdk.", ".kwggggggggggdk.", ".kddddddddddddk.", "..kkkkkkkkkkkk..",
    "................", "................", "................", "................",
};
constexpr IconArt cdrom_drive = {
    ".....kkkkkk.....", "...kkwwcwwwkk...", "..kwwcwwwwwgwk..", "..kwcwwkkwwgwk..",
    "..kwwwwkkwgwwk..", "...kkwwwwgwkk...", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwdk.",
    ".kwgkkkkkkkggdk.", ".kwggggggggGgdk.", ".kddddddddddddk.", "..kkkkkkkkkkkk..",
    "................", "................", "................", "................",
};
constexpr IconArt network_drive = {
    "................", "................", "................", "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwdk.", ".kwggggggggGgdk.", ".kwggggggggggdk.", ".kddddddddddddk.",
    "..kkkkkkkkkkkk..", ".......kk.......", ".......kk.......", ".kkkkkkkkkkkkkk.",
    "................", "................", "................", "................",
};
constexpr IconArt ram_disk = {
    "................", "................", "................", "................",
    "................", "..kkkkkkkkkkkk..", ".keeeeeeeeeeeek.", ".kekkekkekkeeek.",
    ".kekkekkekkeeek.", ".keeeeeeeeeeeek.", ".kyeyeyeyeyeyek.", "..kkkkkkkkkkkk..",
    "................", "................", "................", "................",
};
constexpr IconArt executable = {
    "................", "................", ".kkkkkkkkkkkkkk.", ".knnnnnnnnnnnnk.",
    ".knnnnnnnnnwnnk.", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.", ".kwwwwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.", ".kkkkkkkkkkkkkk.", "................", "................",
};
constexpr IconArt text_document = {
    "..kkkkkkkk......", "..kwwwwwwkk.....", "..kwwwwwwkwk....", "..kwwwwwwkkkk...",
    "..kwwwwwwwwwk...", "..kwddddddwwk...", "..kwwwwwwwwwk...", "..kwddddddwwk...",
    "..kwwwwwwwwwk...", "..kwddddddwwk...", "..kwwwwwwwwwk...", "..kwddddddwwk...",
    "..kwwwwwwwwwk...", "..kwddddwwwwk...", "..kwwwwwwwwwk...", "..kkkkkkkkkkk...",
};

// In SystemIcon order.
constexpr const IconArt* icon_art[SystemIconCount] = {
    &generic_file,  &closed_folder, &open_folder, &computer,      &floppy_drive, &removable_drive,
    &fixed_drive,   &cdrom_drive,   &network_drive, &ram_disk,    &executable,   &text_document,
};

constexpr bool art_is_square(const IconArt& art) {
    for (std::string_view row : art)
        if (row.size() != small_size) return false;
    return true;
}
constexpr bool all_art_is_square() {
    for (const IconArt* art : icon_art)
        if (!art_is_square(*art)) return false;
    return true;
}
static_assert(all_art_is_square(), "every icon row holds 16 pixels");

// The classic palette, as 0x00RRGGBB.
std::uint32_t colour_of(char letter) {
    switch (letter) {
    case 'k': return 0x000000;
    case 'w': return 0xFFFFFF;
    case 'g': return 0xC0C0C0;
    case 'd': return 0x808080;
    case 'y': return 0xFFFF00;
    case 'o': return 0x808000;
    case 'n': return 0x000080;
    case 't': return 0x008080;
    case 'c': return 0x00FFFF;
    case 'G': return 0x00FF00;
    case 'e': return 0x008000;
    default: return 0xFF00FF;
    }
}

// Adds one picture, each pixel scaled to `scale` x `scale`.
void add_icon(comctl::ImageList& list, const IconArt& art, int scale) {
    const int size = small_size * scale;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, 0);
    std::vector<bool> mask(pixels.size(), false);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            char letter = art[y / scale][x / scale];
            if (letter == '.') continue;
            std::size_t at = static_cast<std::size_t>(y) * size + x;
            pixels[at] = colour_of(letter);
            mask[at] = true;
        }
    list.add(std::move(pixels), std::move(mask));
}

comctl::ImageList* make_list(int scale) {
    auto* list = new comctl::ImageList(small_size * scale, small_size * scale);
    for (const IconArt* art : icon_art) add_icon(*list, *art, scale);
    return list;
}

}  // namespace

HIMAGELIST system_image_list(bool small) {
    static comctl::ImageList* small_list = make_list(1);
    static comctl::ImageList* large_list = make_list(2);
    return small ? small_list->handle() : large_list->handle();
}

}  // namespace winsim::shell
