// A full 1024 x 768 repaint of the backdrop's kind, through the same calls its paint makes:
// stretched and plain palette DIBs, fills, a ruled work area, a 4-bit picture loaded,
// flood-filled and blitted, and text in four fonts created anew for every paint.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gdi/surface.h"
#include "gdi/window_dc.h"
#include "win/gdi.h"
#include "win/kernel.h"
#include "winsim/resource_table.h"

namespace {

constexpr int W = 1024;
constexpr int H = 768;

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

// Where the 4-bit picture has something other than its background.
bool x_in(std::size_t byte, int y) { return byte > 20 && byte < 40 && y > 40 && y < 120; }

// A DIB without file header: header, `colours` table entries, then rows of `bpp` bits.
std::vector<std::uint8_t> make_dib(int width, int height, int bpp, int colours) {
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    out.push_back(1), out.push_back(0);
    out.push_back(static_cast<std::uint8_t>(bpp)), out.push_back(0);
    for (int i = 0; i < 6; ++i) put32(out, i == 4 ? colours : 0);
    for (int i = 0; i < colours; ++i) put32(out, i == 1 ? 0x008080 : 0x010203 * i);   // entry 1: the key colour 0x808000
    std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    for (int y = 0; y < height; ++y)
        for (std::size_t b = 0; b < stride; ++b)
            out.push_back(static_cast<std::uint8_t>(bpp == 4 ? ((x_in(b, y) ? 0x23 : 0x11)) : (y * 7 + b) % colours));
    return out;
}

const BITMAPINFO* info(const std::vector<std::uint8_t>& dib) { return reinterpret_cast<const BITMAPINFO*>(dib.data()); }
const void* bits(const std::vector<std::uint8_t>& dib) {
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
    return dib.data() + h->biSize + 4 * h->biClrUsed;
}

LOGFONTA font(LONG height, LONG width, LONG weight, BYTE pitch, const char* face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfWeight = weight;
    lf.lfOutPrecision = OUT_CHARACTER_PRECIS;
    lf.lfQuality = PROOF_QUALITY;
    lf.lfPitchAndFamily = pitch;
    std::strcpy(lf.lfFaceName, face);
    return lf;
}

void paint(HDC dc, const std::vector<std::uint8_t>& band, const std::vector<std::uint8_t>& banner,
           const std::vector<std::uint8_t>& rule, HPALETTE palette) {
    SetBkMode(dc, TRANSPARENT);
    HPALETTE old_palette = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    StretchDIBits(dc, 0, 0, W - 334, 58, 0, 0, 20, 58, bits(band), info(band), DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(dc, W - 334, 0, 334, 58, 0, 0, 0, 58, bits(banner), info(banner), DIB_RGB_COLORS);
    StretchDIBits(dc, 150, 58, W - 150, 2, 0, 0, 10, 2, bits(rule), info(rule), DIB_RGB_COLORS, SRCCOPY);
    SelectPalette(dc, old_palette, TRUE);
    RealizePalette(dc);

    HBRUSH panel = CreateSolidBrush(0x601800);
    RECT left{0, 58, 150, H};
    FillRect(dc, &left, panel);
    DeleteObject(panel);
    RECT work{150, 60, W, H};
    FillRect(dc, &work, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HPEN pen = CreatePen(PS_INSIDEFRAME, 2, 0xFFF8F8);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    for (int y = 63; y < H; y += 4) {
        MoveToEx(dc, 151, y, nullptr);
        LineTo(dc, W, y);
    }
    SelectObject(dc, old_pen);
    DeleteObject(pen);

    HDC memory = CreateCompatibleDC(dc);
    HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(201));
    HGDIOBJ old_bitmap = SelectObject(memory, picture);
    HBRUSH fill = CreateSolidBrush(0x601800);
    HGDIOBJ old_brush = SelectObject(memory, fill);
    ExtFloodFill(memory, 1, 1, 0x808000, FLOODFILLSURFACE);
    BitBlt(dc, 16, H - 180, 120, 168, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old_bitmap);
    SelectObject(memory, old_brush);
    DeleteObject(picture);
    DeleteObject(fill);
    DeleteDC(memory);

    LOGFONTA title = font(64, 24, FW_BOLD, 0x42, "Comic Sans MS");
    LOGFONTA tagline = font(42, 20, FW_NORMAL, 0x42, "Arial");
    LOGFONTA step = font(-11, 0, FW_BOLD, 0x22, "Ms Sans Serif");
    SelectObject(dc, CreateFontIndirectA(&title));
    const COLORREF title_colours[4] = {0x2D1C16, 0x3C251E, 0x503228, 0xFFA080};
    for (int i = 0; i < 4; ++i) {
        SetTextColor(dc, title_colours[i]);
        TextOutA(dc, 11 - i, -3 - i, "Sweeplux v3.06", 14);
    }
    DeleteObject(SelectObject(dc, CreateFontIndirectA(&tagline)));
    const char* tag = "Sweeplux - Keep Your Drives Tidy!";
    SIZE size;
    GetTextExtentPointA(dc, tag, 33, &size);
    const COLORREF tag_colours[3] = {0x800000, 0xA00000, 0xFF0000};
    for (int i = 0; i < 3; ++i) {
        SetTextColor(dc, tag_colours[i]);
        TextOutA(dc, W - size.cx - 32 + i, H - size.cy - 16 + i, tag, 33);
    }
    DeleteObject(SelectObject(dc, CreateFontIndirectA(&step)));
    const char* labels[7] = {"- License Agreement", "- Program Location", "- Installing Files", "- Program Group",
                             "- Creating Shortcuts", "- View Read Me", "- Finished"};
    for (int i = 0; i < 7; ++i) {
        SetTextColor(dc, i == 3 ? 0xFFD8CF : 0xFF886F);
        TextOutA(dc, 10, 120 + 18 * i, labels[i], static_cast<int>(std::strlen(labels[i])));
    }
    DeleteObject(SelectObject(dc, GetStockObject(SYSTEM_FONT)));
    SetTextColor(dc, 0xFFAFAF);
    TextOutA(dc, 10, 100, "Tarrowin:", 9);
}

void BM_BackdropPaint(benchmark::State& state) {
    std::vector<std::uint8_t> band = make_dib(20, 58, 8, 256);
    std::vector<std::uint8_t> banner = make_dib(334, 58, 8, 256);
    std::vector<std::uint8_t> rule = make_dib(10, 2, 8, 5);
    std::vector<std::uint8_t> picture = make_dib(120, 168, 4, 16);
    winsim::Resource items[] = {{{2, nullptr}, {201, nullptr}, picture.data(), static_cast<std::uint32_t>(picture.size())}};
    winsim::register_module_resources(winsim::ResourceTable{items, 1});

    std::vector<std::uint8_t> block(8 + 4 * 256, 0);
    auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = 256;
    HPALETTE palette = CreatePalette(lp);

    winsim::gdi::Surface screen(W, H);
    HDC dc = winsim::gdi::open_window_dc(screen, POINT{0, 0}, winsim::gdi::Region(RECT{0, 0, W, H}));
    for (auto _ : state) {
        paint(dc, band, banner, rule, palette);
        benchmark::DoNotOptimize(screen.pixel(500, 500));
    }
    winsim::gdi::close_window_dc(dc);
    DeleteObject(palette);
}
BENCHMARK(BM_BackdropPaint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
