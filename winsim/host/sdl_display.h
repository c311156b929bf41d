// The real screen: a host window of the screen's size that shows the picture at 1:1 and
// turns the host's mouse and keyboard into input events.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "host/display.h"

struct SDL_Window;

namespace winsim::host {

class SdlDisplay : public Display {
public:
    // Null with `error` set when SDL cannot open a window (no host display).
    static std::unique_ptr<SdlDisplay> open(int width, int height, std::string& error);
    ~SdlDisplay() override;

    // Composes the picture and shows it, at most one frame every 16 ms; a picture held back
    // is shown by a later present or poll.
    void present(std::span<const Layer> layers) override;
    // Shows a held-back picture when due, then answers the next host event: mouse moves and
    // buttons, keys (with a Char after Enter, Tab, Backspace and Escape, and for typed text),
    // and Quit when the host window is closed.
    bool poll_input(InputEvent& event) override;

    SDL_Window* window() const { return window_; }

private:
    SdlDisplay(int width, int height, SDL_Window* window);
    void show_if_due();
    void show();
    void translate_pending();

    SDL_Window* window_;
    bool dirty_ = true;
    std::uint64_t last_frame_ms_ = 0;
    std::deque<InputEvent> pending_;
};

}  // namespace winsim::host
