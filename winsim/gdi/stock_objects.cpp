#include "gdi/stock_objects.h"

#include <array>
#include <cstring>

#include "gdi/brush.h"
#include "gdi/font.h"
#include "gdi/palette.h"
#include "gdi/pen.h"

namespace winsim::gdi {

namespace {

constexpr int kStockCount = 18;

LOGFONTA make_logfont(LONG height, LONG weight, BYTE pitch_and_family, const char* face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfPitchAndFamily = pitch_and_family;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

std::shared_ptr<GdiObject> make_stock(int index) {
    switch (index) {
        case WHITE_BRUSH: return std::make_shared<Brush>(RGB(255, 255, 255));
        case LTGRAY_BRUSH: return std::make_shared<Brush>(RGB(192, 192, 192));
        case GRAY_BRUSH: return std::make_shared<Brush>(RGB(128, 128, 128));
        case DKGRAY_BRUSH: return std::make_shared<Brush>(RGB(64, 64, 64));
        case BLACK_BRUSH: return std::make_shared<Brush>(RGB(0, 0, 0));
        case NULL_BRUSH: return std::make_shared<Brush>(Brush::hollow);
        case WHITE_PEN: return std::make_shared<Pen>(PS_SOLID, 1, RGB(255, 255, 255));
        case BLACK_PEN: return std::make_shared<Pen>(PS_SOLID, 1, RGB(0, 0, 0));
        case NULL_PEN: return std::make_shared<Pen>(PS_NULL, 1, 0);
        case ANSI_VAR_FONT:
        case SYSTEM_FONT:
        case DEFAULT_GUI_FONT: return std::make_shared<Font>(stock_font_description(index));
        case DEFAULT_PALETTE: {
            // The 20 static colours of the system palette.
            static constexpr BYTE kColors[20][3] = {
                {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128},
                {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
                {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},
                {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
            std::vector<PALETTEENTRY> entries;
            for (const auto& c : kColors) entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
            return std::make_shared<Palette>(std::move(entries));
        }
        default: return nullptr;
    }
}

}  // namespace

LOGFONTA stock_font_description(int index) {
    switch (index) {
        case SYSTEM_FONT: return make_logfont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, "System");
        case ANSI_VAR_FONT: return make_logfont(13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
        default: return make_logfont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, "MS Sans Serif");
    }
}

std::shared_ptr<GdiObject> stock_object(int index) {
    static std::array<std::shared_ptr<GdiObject>, kStockCount> objects;
    if (index < 0 || index >= kStockCount) return nullptr;
    if (!objects[index]) {
        objects[index] = make_stock(index);
        if (objects[index]) ObjectTable::instance().add(objects[index], true);
    }
    return objects[index];
}

}  // namespace winsim::gdi
