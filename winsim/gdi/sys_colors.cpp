#include "gdi/sys_colors.h"

#include <array>

#include "win/gdi.h"

namespace winsim::gdi {

namespace {

// The classic ("Windows Standard") scheme, by COLOR_* index; index 25 is unused by Windows
// and answers black.
constexpr std::array<COLORREF, kSysColorCount> kScheme = {
    RGB(192, 192, 192),   // COLOR_SCROLLBAR
    RGB(0, 128, 128),     // COLOR_BACKGROUND
    RGB(0, 0, 128),       // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),   // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),   // COLOR_MENU
    RGB(255, 255, 255),   // COLOR_WINDOW
    RGB(0, 0, 0),         // COLOR_WINDOWFRAME
    RGB(0, 0, 0),         // COLOR_MENUTEXT
    RGB(0, 0, 0),         // COLOR_WINDOWTEXT
    RGB(255, 255, 255),   // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),   // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),   // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),   // COLOR_APPWORKSPACE
    RGB(0, 0, 128),       // COLOR_HIGHLIGHT
    RGB(255, 255, 255),   // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),   // COLOR_BTNFACE
    RGB(128, 128, 128),   // COLOR_BTNSHADOW
    RGB(128, 128, 128),   // COLOR_GRAYTEXT
    RGB(0, 0, 0),         // COLOR_BTNTEXT
    RGB(192, 192, 192),   // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),   // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),         // COLOR_3DDKSHADOW
    RGB(192, 192, 192),   // COLOR_3DLIGHT
    RGB(0, 0, 0),         // COLOR_INFOTEXT
    RGB(255, 255, 225),   // COLOR_INFOBK
    RGB(0, 0, 0),         // (unused)
    RGB(0, 0, 255),       // COLOR_HOTLIGHT
    RGB(16, 132, 208),    // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192),   // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),       // COLOR_MENUHILIGHT
    RGB(192, 192, 192),   // COLOR_MENUBAR
};

}  // namespace

bool sys_color(int index, COLORREF& color) {
    if (index < 0 || index >= kSysColorCount || index == 25) return false;
    color = kScheme[index];
    return true;
}

std::uint32_t sys_rgb(int index) {
    COLORREF color = 0;
    sys_color(index, color);
    return rgb_of(color);
}

std::shared_ptr<Brush> sys_brush(int index) {
    static std::array<std::shared_ptr<Brush>, kSysColorCount> brushes;
    COLORREF color = 0;
    if (!sys_color(index, color)) return nullptr;
    if (!brushes[index]) {
        brushes[index] = std::make_shared<Brush>(color);
        ObjectTable::instance().add(brushes[index], true);
    }
    return brushes[index];
}

}  // namespace winsim::gdi
