// A parent window for driving controls in-process: it records the notifications and draw
// requests its children send, and can answer their colour requests with a chosen brush.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace controls_test {

struct Notification {
    int id;
    int code;
};

// A key press put in the queue, as a user's reaches a dialog's own message loop.
void post_key(HWND hwnd, UINT vk);

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND create(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id);

    // Input sent straight to a control, as the window manager delivers it.
    static void click(HWND hwnd, int x, int y);
    static void double_click(HWND hwnd, int x, int y);
    static void key(HWND hwnd, UINT vk);
    static void type(HWND hwnd, const std::string& text);
    static std::string text_of(HWND hwnd);
    // Paints everything that waits to be painted.
    static void settle();

    int count(int id, int code) const;

    HWND parent = nullptr;

public:
    // What the parent window saw.
    static std::vector<Notification> notifications;
    static std::vector<DRAWITEMSTRUCT> draws;
    static HBRUSH static_brush;
};

}  // namespace controls_test
