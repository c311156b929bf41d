#include "host/display.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "gdi/sys_colors.h"
#include "host/headless_display.h"
#include "host/png_writer.h"
#include "host/prefix.h"
#include "host/sdl_display.h"
#include "win/gdi.h"

namespace winsim::host {

namespace {

constexpr SIZE kDefaultScreen{1024, 768};

// "1024x768" (an upper-case X or spaces around it allowed); false for anything else.
bool parse_size(const std::string& text, SIZE& size) {
    int w = 0, h = 0;
    char x = 0, rest = 0;
    if (std::sscanf(text.c_str(), " %d %c %d %c", &w, &x, &h, &rest) != 3) return false;
    if ((x != 'x' && x != 'X') || w < 64 || h < 64 || w > 8192 || h > 8192) return false;
    size = SIZE{w, h};
    return true;
}

SIZE configured_size() {
    SIZE size = kDefaultScreen;
    if (const char* env = std::getenv("WINSIM_SCREEN"); env && *env) {
        if (parse_size(env, size)) return size;
        std::fprintf(stderr, "winsim: WINSIM_SCREEN=%s is not WIDTHxHEIGHT; using the machine's screen\n", env);
    }
    std::string setting = prefix().setting("machine", "screen");
    if (!setting.empty() && !parse_size(setting, size)) {
        std::fprintf(stderr, "winsim: [machine] screen = %s is not WIDTHxHEIGHT; using 1024x768\n", setting.c_str());
        size = kDefaultScreen;
    }
    return size;
}

bool wants_sdl() {
    const char* choice = std::getenv("WINSIM_DISPLAY");
    if (choice && *choice) {
        if (std::strcmp(choice, "sdl") == 0) return true;
        if (std::strcmp(choice, "headless") != 0)
            std::fprintf(stderr, "winsim: WINSIM_DISPLAY=%s is neither sdl nor headless; using headless\n", choice);
        return false;
    }
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

SIZE screen_size() {
    static const SIZE size = configured_size();
    return size;
}

Display::Display(int width, int height) : screen_(width, height, gdi::sys_rgb(COLOR_BACKGROUND)) {}

void Display::present(std::span<const Layer> layers) {
    // Whatever lies under a layer that covers the whole screen never shows.
    std::size_t first = 0;
    bool covered = false;
    for (std::size_t i = layers.size(); i-- > 0 && !covered;) {
        const Layer& l = layers[i];
        covered = l.surface && l.x <= 0 && l.y <= 0 && l.x + l.surface->width() >= screen_.width() &&
                  l.y + l.surface->height() >= screen_.height();
        if (covered) first = i;
    }
    if (!covered) screen_.fill(gdi::sys_rgb(COLOR_BACKGROUND));
    for (const Layer& layer : layers.subspan(first)) {
        if (!layer.surface || layer.surface->empty()) continue;
        const gdi::Surface& s = *layer.surface;
        int x0 = std::max(0, layer.x);
        int y0 = std::max(0, layer.y);
        int x1 = std::min(screen_.width(), layer.x + s.width());
        int y1 = std::min(screen_.height(), layer.y + s.height());
        if (x0 >= x1) continue;
        for (int y = y0; y < y1; ++y)
            std::copy(s.row(y - layer.y) + (x0 - layer.x), s.row(y - layer.y) + (x1 - layer.x), screen_.row(y) + x0);
    }
}

bool Display::save_png(const std::string& path, std::string& error) const { return write_png(path, screen_, error); }

Display& display() {
    static std::unique_ptr<Display> chosen = [] {
        SIZE size = screen_size();
        std::unique_ptr<Display> d;
        if (wants_sdl()) {
            std::string error;
            d = SdlDisplay::open(size.cx, size.cy, error);
            if (!d) std::fprintf(stderr, "winsim: no SDL display (%s); running headless\n", error.c_str());
        }
        if (!d) d = std::make_unique<HeadlessDisplay>(size.cx, size.cy);
        return d;
    }();
    return *chosen;
}

}  // namespace winsim::host
