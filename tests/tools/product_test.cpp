// The example build's record and resources as the installer links them.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstring>
#include <fstream>
#include <numeric>
#include <sstream>

#include "core/manifest.h"
#include "reference_decoder.h"
#include "template_reader.h"

namespace {

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string resource_bytes(LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(nullptr, name, type);
    if (!found) return "(missing)";
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(data, SizeofResource(nullptr, found));
}

struct ExpectedEntry {
    const char* file;
    DWORD flags;
    const char* resource;
    const char* shortcut;
    DWORD size;
    const char* source;
};

const ExpectedEntry expected_entries[] = {
    {"Swxremov.exe", 0x12, "UINSTALL", "Uninstall", 49152, "Swxremov.exe"},
    {"Swxupdt.exe", 0x11, "UPDATER", "Update", 57344, "Swxupdt.exe"},
    {"Sweeplux.exe", 0x11, "PROGRAM", "Sweeplux", 258048, "Sweeplux.exe"},
    {"Sweeplux.hlp", 0x11, "HELPFILE", "Help", 47306, "Sweeplux.hlp"},
    {"Swxguide.txt", 0x11, "README", "Read Me", 3668, "Swxguide.txt"},
    {"Swxplugs.dat", 0x11, "PLUGINS", "-", 546546, "Swxplugs.dat"},
    {"Swxbuy.txt", 0x11, "ORDER", "-", 1679, "Swxbuy.txt"},
    {"Swxinfo.txt", 0x11, "REGINFO", "-", 1060, "Swxinfo.txt"},
};

TEST(ExampleProduct, RecordHoldsTheProductAndItsTimestamp) {
    EXPECT_STREQ(Manifest.ProductName, "Sweeplux");
    EXPECT_STREQ(Manifest.ProductVersion, "3.06");
    EXPECT_STREQ(Manifest.Tagline, "Keep Your Drives Tidy!");
    EXPECT_STREQ(Manifest.PublisherName, "Orvane Tinkerware");
    EXPECT_GT(std::strlen(Manifest.WebPage), 0u);
    const SYSTEMTIME& t = Manifest.FileTimestamp;
    EXPECT_EQ(t.wYear, 2005);
    EXPECT_EQ(t.wMonth, 11);
    EXPECT_EQ(t.wDayOfWeek, 1);
    EXPECT_EQ(t.wDay, 28);
    EXPECT_EQ(t.wHour, 3);
    EXPECT_EQ(t.wMinute, 6);
    EXPECT_EQ(t.wSecond, 0);
    EXPECT_EQ(t.wMilliseconds, 0);
    EXPECT_EQ(Manifest.FileCount, 8);
    EXPECT_EQ(Manifest.ShortcutCount, 5);
}

TEST(ExampleProduct, EntriesNameTheirFilesAndResourcesWithBothSizes) {
    DWORD total = 0;
    for (int i = 0; i < 8; ++i) {
        const ExpectedEntry& e = expected_entries[i];
        const ManifestEntry& m = Manifest.Entries[i];
        SCOPED_TRACE(e.file);
        EXPECT_STREQ(m.FileName, e.file);
        EXPECT_EQ(m.Flags, e.flags);
        EXPECT_STREQ(m.ResourceName, e.resource);
        EXPECT_STREQ(m.ShortcutName, e.shortcut);
        EXPECT_EQ(m.UncompressedSize, e.size);
        const std::string source = file_bytes(TARROWIN_SOURCE_DIR "/resources/payload/" + std::string(e.source));
        EXPECT_EQ(source.size(), e.size);
        // The resource is the stream; its size is the record's and it decodes to the file.
        const std::string stream = resource_bytes(m.ResourceName, RT_RCDATA);
        EXPECT_EQ(stream.size(), m.CompressedSize);
        EXPECT_LT(m.CompressedSize, m.UncompressedSize);
        std::vector<std::uint8_t> decoded = reference::decode(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size()),
            m.UncompressedSize);
        EXPECT_TRUE(std::string(decoded.begin(), decoded.end()) == source);
        total += m.UncompressedSize;
    }
    EXPECT_EQ(total, 964803u);
    EXPECT_EQ(Manifest.Entries[8].FileName[0], '\0');  // the rest of the room is empty
    for (const char* exe : {"Swxremov.exe", "Swxupdt.exe", "Sweeplux.exe"})
        EXPECT_EQ(file_bytes(TARROWIN_SOURCE_DIR "/resources/payload/" + std::string(exe)).substr(0, 2), "MZ");
}

TEST(ExampleProduct, LicenceIsPlainTextWithCrLfLines) {
    const std::string licence = resource_bytes("LICENSE", RT_RCDATA);
    EXPECT_EQ(licence.size(), 1044u);
    EXPECT_EQ(licence.find('\0'), std::string::npos);
    std::size_t lines = 0, longest = 0, start = 0;
    for (std::size_t at; (at = licence.find("\r\n", start)) != std::string::npos; start = at + 2) {
        ++lines;
        longest = std::max(longest, at - start);
        EXPECT_EQ(licence.substr(start, at - start).find('\n'), std::string::npos);
    }
    EXPECT_EQ(start, licence.size());  // every line ends with CR LF
    EXPECT_EQ(lines, 22u);
    EXPECT_EQ(longest, 87u);
}

}  // namespace

namespace {

struct DecodedItem {
    std::uint32_t style;
    std::uint16_t id;
    std::u16string window_class;
    std::u16string text;
};

struct DecodedDialog {
    std::uint32_t style;
    std::int16_t x, y, cx, cy;
    std::u16string window_class, caption, face;
    std::uint16_t point_size;
    std::vector<DecodedItem> items;
};

DecodedDialog decode_dialog(int id) {
    const std::string bytes = resource_bytes(MAKEINTRESOURCE(id), RT_DIALOG);
    TemplateReader r{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
    DecodedDialog d;
    d.style = r.dword();
    r.dword();
    const std::uint16_t count = r.word();
    d.x = r.shorts();
    d.y = r.shorts();
    d.cx = r.shorts();
    d.cy = r.shorts();
    r.name_or_ordinal();
    d.window_class = r.name_or_ordinal();
    d.caption = r.wide();
    d.point_size = r.word();
    d.face = r.wide();
    for (int i = 0; i < count; ++i) {
        r.align(4);
        DecodedItem item;
        item.style = r.dword();
        r.dword();
        r.pos += 8;
        item.id = r.word();
        item.window_class = r.name_or_ordinal();
        item.text = r.name_or_ordinal();
        r.word();
        d.items.push_back(item);
    }
    EXPECT_EQ(r.pos, bytes.size()) << "template " << id << " has bytes after its last item";
    return d;
}

TEST(ExampleProduct, PagesAreClassicTemplatesWithTheirCaptionsSizesAndControls) {
    const struct {
        int id;
        std::u16string caption;
        std::int16_t cx, cy;
        std::vector<std::uint16_t> control_ids;
    } pages[] = {
        {1001, u"Tarrowin", 168, 105, {0xFFFF, 0xFFFF, 0xFFFF, 700, 1, 2}},
        {1002, u"%s License Agreement", 300, 178, {1, 2, 200}},
        {1003, u"%s Program Location", 289, 114, {0xFFFF, 1, 302, 2, 700, 300, 301, 0xFFFF}},
        {1004, u"Installing %s Program Files", 289, 114,
         {0xFFFF, 0xFFFF, 400, 0xFFFF, 401, 0xFFFF, 402, 0xFFFF, 403, 0xFFFF, 404, 405, 406}},
        {1005, u"%s Program Group", 289, 114, {0xFFFF, 501, 502, 700, 500, 0xFFFF}},
        {1006, u"Creating %s Shortcuts", 200, 44, {0xFFFF, 0xFFFF, 600, 601}},
    };
    const std::uint32_t WS_SYSMENU_BIT = 0x00080000, DS_SETFONT_BIT = 0x40, WS_CAPTION_BITS = 0x00C00000;
    for (const auto& page : pages) {
        SCOPED_TRACE(page.id);
        DecodedDialog d = decode_dialog(page.id);
        EXPECT_EQ(d.caption, page.caption);
        EXPECT_EQ(d.x, 20);
        EXPECT_EQ(d.y, 20);
        EXPECT_EQ(d.cx, page.cx);
        EXPECT_EQ(d.cy, page.cy);
        EXPECT_EQ(d.point_size, 8);
        EXPECT_EQ(d.face, u"MS Sans Serif");
        EXPECT_EQ(d.style & WS_SYSMENU_BIT, 0u);
        EXPECT_EQ(d.style & DS_SETFONT_BIT, DS_SETFONT_BIT);
        EXPECT_EQ(d.style & WS_CAPTION_BITS, WS_CAPTION_BITS);
        EXPECT_EQ(d.window_class, page.id == 1001 ? u"InstallDlg" : u"");
        std::vector<std::uint16_t> ids;
        for (const DecodedItem& item : d.items) ids.push_back(item.id);
        EXPECT_EQ(ids, page.control_ids);
    }
    // The pictures name their bitmaps and icons by number.
    EXPECT_EQ(decode_dialog(1001).items[0].text, u"#100");
    EXPECT_EQ(decode_dialog(1003).items[0].text, u"#200");
    EXPECT_EQ(decode_dialog(1005).items[0].text, u"#201");
    EXPECT_EQ(decode_dialog(1006).items[0].text, u"#101");
    EXPECT_EQ(decode_dialog(1006).items[3].window_class, u"msctls_progress32");
    EXPECT_EQ(decode_dialog(1001).items[1].text.substr(0, 22), u"Tarrowin For Windows\r\n");
}

struct Dib {
    std::int32_t width, height;
    std::uint16_t bit_count;
    std::vector<std::array<std::uint8_t, 3>> colours;  // red, green, blue
    std::vector<std::vector<int>> rows;                // top row first, colour indices
};

Dib read_dib(const std::string& bytes, bool icon = false) {
    TemplateReader r{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()};
    Dib d;
    const std::uint32_t header_size = r.dword();
    d.width = static_cast<std::int32_t>(r.dword());
    d.height = static_cast<std::int32_t>(r.dword()) / (icon ? 2 : 1);
    r.word();
    d.bit_count = r.word();
    r.pos = 32;
    std::uint32_t used = r.dword();
    if (used == 0) used = 1u << d.bit_count;
    r.pos = header_size;
    for (std::uint32_t i = 0; i < used; ++i) {
        const unsigned char* c = r.data + r.pos + 4 * i;
        d.colours.push_back({c[2], c[1], c[0]});
    }
    const std::size_t bits = header_size + 4 * used;
    const std::size_t stride = (d.width * d.bit_count + 31) / 32 * 4;
    for (int y = d.height - 1; y >= 0; --y) {
        std::vector<int> row;
        const unsigned char* p = r.data + bits + y * stride;
        for (int x = 0; x < d.width; ++x)
            row.push_back(d.bit_count == 8 ? p[x] : (x % 2 ? p[x / 2] & 15 : p[x / 2] >> 4));
        d.rows.push_back(row);
    }
    return d;
}

std::array<std::uint8_t, 3> colour_at(const Dib& d, int x, int y) { return d.colours[d.rows[y][x]]; }

TEST(ExampleProduct, BitmapsHaveTheirSizesDepthsAndKeyColours) {
    const struct {
        int id, width, height, bits;
        std::size_t colours;
    } bitmaps[] = {
        {200, 120, 168, 4, 16}, {201, 120, 168, 4, 16}, {202, 334, 58, 8, 256}, {203, 20, 58, 8, 256}, {204, 10, 2, 8, 5},
    };
    for (const auto& b : bitmaps) {
        SCOPED_TRACE(b.id);
        const std::string bytes = resource_bytes(MAKEINTRESOURCE(b.id), RT_BITMAP);
        ASSERT_GE(bytes.size(), 40u);
        EXPECT_EQ(bytes.substr(0, 2), std::string("\x28\0", 2));  // no file header
        Dib d = read_dib(bytes);
        EXPECT_EQ(d.width, b.width);
        EXPECT_EQ(d.height, b.height);
        EXPECT_EQ(d.bit_count, b.bits);
        EXPECT_EQ(d.colours.size(), b.colours);
    }
    using Rgb = std::array<std::uint8_t, 3>;
    // 201: a teal background reaching (1, 1), and teal elsewhere that it does not reach.
    Dib group = read_dib(resource_bytes(MAKEINTRESOURCE(201), RT_BITMAP));
    const Rgb teal = {0, 128, 128};
    ASSERT_EQ(colour_at(group, 1, 1), teal);
    std::vector<std::vector<bool>> reached(168, std::vector<bool>(120, false));
    std::vector<std::pair<int, int>> todo = {{1, 1}};
    reached[1][1] = true;
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}}) {
            int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= 120 || ny >= 168 || reached[ny][nx] || colour_at(group, nx, ny) != teal) continue;
            reached[ny][nx] = true;
            todo.push_back({nx, ny});
        }
    }
    int unreached_teal = 0;
    for (int y = 0; y < 168; ++y)
        for (int x = 0; x < 120; ++x) unreached_teal += !reached[y][x] && colour_at(group, x, y) == teal;
    EXPECT_GT(unreached_teal, 100);
    // 202: the panel colour is the banner's background.
    Dib banner = read_dib(resource_bytes(MAKEINTRESOURCE(202), RT_BITMAP));
    const Rgb panel = {0x00, 0x18, 0x60};
    EXPECT_EQ(colour_at(banner, 0, 10), panel);
    EXPECT_EQ(colour_at(banner, 333, 10), panel);
    // 204: the light row over the dark one.
    Dib rule = read_dib(resource_bytes(MAKEINTRESOURCE(204), RT_BITMAP));
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(colour_at(rule, x, 0), (Rgb{26, 83, 255}));
        EXPECT_EQ(colour_at(rule, x, 1), (Rgb{0, 6, 25}));
    }
}

TEST(ExampleProduct, IconsHoldTheirImages) {
    const struct {
        int id;
        std::vector<int> sides;
    } icons[] = {{100, {32, 16}}, {101, {32}}};
    for (const auto& icon : icons) {
        SCOPED_TRACE(icon.id);
        const std::string group = resource_bytes(MAKEINTRESOURCE(icon.id), RT_GROUP_ICON);
        TemplateReader r{reinterpret_cast<const unsigned char*>(group.data()), group.size()};
        r.pos = 4;
        ASSERT_EQ(r.word(), icon.sides.size());
        for (int side : icon.sides) {
            EXPECT_EQ(r.data[r.pos], side);
            EXPECT_EQ(r.data[r.pos + 2], 16);  // colours
            r.pos += 12;
            const std::uint16_t image_id = r.word();
            const std::string image = resource_bytes(MAKEINTRESOURCE(image_id), RT_ICON);
            Dib d = read_dib(image, true);
            EXPECT_EQ(d.width, side);
            EXPECT_EQ(d.height, side);
            EXPECT_EQ(d.bit_count, 4);
            const std::size_t xor_bytes = side * side / 2, and_bytes = side * 4;  // AND rows padded to 32 bits
            EXPECT_EQ(image.size(), 40 + 64 + xor_bytes + and_bytes);
        }
    }
}

}  // namespace
