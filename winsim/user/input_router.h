// Input from the host's mouse and keyboard and from the scripted user, turned into the
// window messages a person's input makes: hit-testing through the z-order and children,
// capture, double clicks, mouse activation, dragging and sizing by the frame, and keys to
// the focus window.
#pragma once

#include <windows.h>

#include <optional>

#include "host/display.h"

namespace winsim::user {

class Window;

class InputRouter {
public:
    static InputRouter& instance();

    // The message one input event makes, or nothing (consumed, or refused by a disabled window).
    std::optional<MSG> translate(const host::InputEvent& event);

    POINT cursor() const { return cursor_; }
    SHORT key_state(int virtual_key) const;

    // The window and hit-test code under a screen point (WM_NCHITTEST through the tree).
    Window* window_at(POINT screen, LRESULT& hit);

    // DefWindowProcA's answer to a press on the frame: moving by the caption, sizing by a
    // border, or the close button; the following moves and the release belong to it.
    void begin_frame_tracking(HWND hwnd, LRESULT hit, POINT screen);
    bool tracking_frame() const { return tracking_.hwnd != nullptr; }

private:
    InputRouter() = default;
    std::optional<MSG> mouse(const host::InputEvent& event);
    std::optional<MSG> keyboard(const host::InputEvent& event);
    bool track_frame(const host::InputEvent& event);

    struct Tracking {
        HWND hwnd = nullptr;
        LRESULT hit = HTNOWHERE;
        POINT start{};
        RECT start_rect{};
    };
    struct LastClick {
        HWND hwnd = nullptr;
        DWORD time = 0;
        POINT at{};
        bool armed = false;
    };

    POINT cursor_{0, 0};
    bool keys_[256] = {};
    Tracking tracking_;
    LastClick last_click_;
};

}  // namespace winsim::user
