// Our own pictures of the system icons that message boxes and windows show, drawn from
// simple shapes into 32 x 32 pixels.
#include <cmath>
#include <map>

#include "gdi/icon.h"

namespace winsim::gdi {

namespace {

constexpr int kSize = 32;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kNavy = 0x000080;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kSilver = 0xC0C0C0;

void put(Icon& icon, int x, int y, std::uint32_t rgb) {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return;
    icon.color().set_pixel(x, y, rgb);
    icon.set_masked(x, y, false);
}

double distance(double x, double y, double cx, double cy) { return std::hypot(x - cx, y - cy); }

// A disc with a one-pixel outline and a grey shadow down and right.
void disc(Icon& icon, double cx, double cy, double r, std::uint32_t fill) {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (distance(x, y, cx + 2, cy + 2) <= r) put(icon, x, y, kGrey);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            double d = distance(x, y, cx, cy);
            if (d <= r) put(icon, x, y, d > r - 1.2 ? kBlack : fill);
        }
}

// A speech balloon: a white disc with a tail at the lower left.
void balloon(Icon& icon) {
    for (int i = 0; i < 7; ++i)
        for (int x = 7 - i / 2; x < 12 - i; ++x) put(icon, x, 23 + i, i == 6 || x == 7 - i / 2 ? kBlack : kWhite);
    disc(icon, 16, 13, 12.5, kWhite);
    for (int i = 0; i < 6; ++i) put(icon, 8 + i / 2, 23 + i, kWhite);
}

// A glyph given as rows of '#' marks, placed with its top left at (x, y).
void glyph(Icon& icon, int x, int y, const char* const* rows, int count, std::uint32_t rgb) {
    for (int r = 0; r < count; ++r)
        for (int c = 0; rows[r][c]; ++c)
            if (rows[r][c] == '#') put(icon, x + c, y + r, rgb);
}

std::shared_ptr<Icon> application() {
    auto icon = std::make_shared<Icon>(kSize, kSize);
    for (int y = 3; y < 29; ++y)
        for (int x = 1; x < 31; ++x) {
            bool border = x == 1 || x == 30 || y == 3 || y == 28;
            put(*icon, x, y, border ? kBlack : (y < 8 ? kNavy : kWhite));
        }
    for (int x = 26; x < 29; ++x)
        for (int y = 4; y < 7; ++y) put(*icon, x, y, kSilver);
    return icon;
}

std::shared_ptr<Icon> error() {
    auto icon = std::make_shared<Icon>(kSize, kSize);
    disc(*icon, 15, 15, 14, kRed);
    for (int i = -6; i <= 6; ++i)
        for (int t = -1; t <= 1; ++t) {
            put(*icon, 15 + i + t, 15 + i, kWhite);
            put(*icon, 15 + i + t, 15 - i, kWhite);
        }
    return icon;
}

std::shared_ptr<Icon> warning() {
    auto icon = std::make_shared<Icon>(kSize, kSize);
    // A triangle with its apex at (15, 1) and its base on row 29.
    for (int y = 1; y <= 29; ++y) {
        double half = (y - 1) * 15.0 / 28.0;
        int left = static_cast<int>(std::lround(15 - half));
        int right = static_cast<int>(std::lround(15 + half));
        for (int x = left; x <= right; ++x)
            put(*icon, x, y, (x == left || x == right || y == 29) ? kBlack : kYellow);
        put(*icon, right + 1, y + 1, kGrey);
    }
    for (int x = 1; x <= 31; ++x) put(*icon, x, 30, kGrey);
    static const char* const kBang[] = {
        ".##.", "####", "####", "####", "####", ".##.", ".##.", ".##.", ".##.", "....", ".##.", "####", ".##."};
    glyph(*icon, 14, 11, kBang, 13, kBlack);
    return icon;
}

std::shared_ptr<Icon> question() {
    auto icon = std::make_shared<Icon>(kSize, kSize);
    balloon(*icon);
    static const char* const kMark[] = {
        "..####..", ".##..##.", "##....##", "......##", ".....##.", "....##..", "...##...",
        "...##...", "........", "...##...", "...##..."};
    glyph(*icon, 12, 7, kMark, 11, kBlue);
    return icon;
}

std::shared_ptr<Icon> information() {
    auto icon = std::make_shared<Icon>(kSize, kSize);
    balloon(*icon);
    static const char* const kLetter[] = {
        "..##.", "..##.", ".....", "####.", "..##.", "..##.", "..##.", "..##.", "..##.", "######"};
    glyph(*icon, 13, 7, kLetter, 10, kBlue);
    return icon;
}

}  // namespace

std::shared_ptr<Icon> system_icon(unsigned id) {
    static std::map<unsigned, std::shared_ptr<Icon>> made;
    auto it = made.find(id);
    if (it != made.end()) return it->second;
    std::shared_ptr<Icon> icon;
    switch (id) {
        case 32512: icon = application(); break;
        case 32513: icon = error(); break;
        case 32514: icon = question(); break;
        case 32515: icon = warning(); break;
        case 32516: icon = information(); break;
        default: return nullptr;
    }
    icon->set_shared(true);
    made.emplace(id, icon);
    return icon;
}

}  // namespace winsim::gdi
