// The screen the simulated desktop is shown on: headless (in memory) or a real SDL2 window.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "gdi/surface.h"
#include "win/base.h"

namespace winsim::host {

// One top-level window's picture, placed on the screen; layers are given bottom first.
struct Layer {
    const gdi::Surface* surface;
    int x;
    int y;
};

// Input from the host's mouse and keyboard, in screen coordinates and virtual-key codes.
struct InputEvent {
    enum class Kind { MouseMove, MouseDown, MouseUp, KeyDown, KeyUp, Char, Quit };
    Kind kind = Kind::MouseMove;
    int x = 0;
    int y = 0;
    int button = 0;          // 0 left, 1 right
    unsigned key = 0;        // virtual-key code for KeyDown and KeyUp
    unsigned char ch = 0;    // Windows-1252 character for Char
    bool shift = false;
};

class Display {
public:
    virtual ~Display() = default;

    int width() const { return screen_.width(); }
    int height() const { return screen_.height(); }
    const gdi::Surface& screen() const { return screen_; }

    // Lays the layers on the screen (background first) and shows the result; a real display
    // shows at most one frame every 16 ms and keeps the newest picture for the next frame.
    virtual void present(std::span<const Layer> layers);

    // Host input waiting to be taken; the headless display never has any.
    virtual bool poll_input(InputEvent& event) = 0;

    // Writes the screen as it was last presented to a PNG file; false with `error` set on failure.
    bool save_png(const std::string& path, std::string& error) const;

protected:
    explicit Display(int width, int height);
    gdi::Surface screen_;
};

// The screen size: WINSIM_SCREEN (WxH), else [machine] screen of the machine's winsim.ini,
// else 1024 x 768. Read once; does not open the display.
SIZE screen_size();

// The display chosen by WINSIM_DISPLAY (or its default), created on first use with the
// screen size of WINSIM_SCREEN or the machine's winsim.ini.
Display& display();

}  // namespace winsim::host
