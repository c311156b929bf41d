// Update regions, the paint cycle and drawing into the top-level window's surface.
#include <windows.h>

#include <gtest/gtest.h>

#include "gdi/surface.h"
#include "host/display.h"
#include "user/painting.h"
#include "test_machine.h"
#include "user/window.h"
#include "user/window_tree.h"

using namespace user_test;

namespace {

using Painting = WindowTest;

std::uint32_t pixel(HWND top, int x, int y) {
    return winsim::user::find_window(top)->surface->pixel(x, y);
}

LRESULT CALLBACK red_painter(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT all{0, 0, 1000, 1000};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &all, red);
        DeleteObject(red);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

const char* red_class() {
    static bool done = false;
    if (!done) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = red_painter;
        wc.lpszClassName = "UserTestRed";
        done = RegisterClassExA(&wc) != 0;
    }
    return "UserTestRed";
}

}  // namespace

TEST_F(Painting, ShownWindowIsErasedWithItsClassBrushThenPainted) {
    HWND top = CreateWindowExA(0, recording_class(), "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr, nullptr, nullptr);
    log().clear();
    UpdateWindow(top);
    std::vector<UINT> got = messages_for(top);
    ASSERT_EQ(got, (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    // COLOR_WINDOW + 1 as the class brush: the window colour.
    EXPECT_EQ(pixel(top, 30, 20), winsim::gdi::rgb_of(GetSysColor(COLOR_WINDOW)));
    log().clear();
    UpdateWindow(top);
    EXPECT_TRUE(log().empty());
}

TEST_F(Painting, PaintStructReportsTheUpdateAreaAndTheErase) {
    HWND top = CreateWindowExA(0, recording_class(), "", WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(top);
    RECT part{10, 10, 20, 15};
    InvalidateRect(top, &part, FALSE);
    answer(WM_ERASEBKGND, 0);
    PAINTSTRUCT ps;
    BeginPaint(top, &ps);
    EXPECT_TRUE(EqualRect(&ps.rcPaint, &part));
    EXPECT_FALSE(ps.fErase);
    EndPaint(top, &ps);
    InvalidateRect(top, nullptr, TRUE);
    BeginPaint(top, &ps);
    EXPECT_TRUE(ps.fErase);   // the procedure left the erasing to the painting
    EndPaint(top, &ps);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Painting, ChildrenShareTheInvalidationUnlessTheParentClipsThem) {
    for (DWORD clip : {0ul, static_cast<unsigned long>(WS_CLIPCHILDREN)}) {
        HWND top = CreateWindowExA(0, recording_class(), "", WS_POPUP | WS_VISIBLE | clip, 0, 0, 100, 100, nullptr, nullptr,
                                   nullptr, nullptr);
        HWND child = CreateWindowExA(0, recording_class(), "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top, nullptr,
                                     nullptr, nullptr);
        UpdateWindow(top);
        log().clear();
        RECT over_child{0, 0, 15, 15};
        InvalidateRect(top, &over_child, TRUE);
        UpdateWindow(top);
        bool child_painted = !messages_for(child).empty();
        EXPECT_EQ(child_painted, clip == 0) << "clip children " << clip;
        DestroyWindow(top);
    }
}

TEST_F(Painting, ChildPaintsAtItsOffsetClippedToItsParent) {
    HWND top = CreateWindowExA(0, recording_class(), "", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
    // A child that reaches past its parent's client area on the right.
    HWND child = CreateWindowExA(0, red_class(), "", WS_CHILD | WS_VISIBLE, 80, 10, 50, 20, top, nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    UpdateWindow(top);
    const std::uint32_t red = 0xFF0000;
    EXPECT_EQ(pixel(top, 1 + 80, 1 + 10), red);
    EXPECT_EQ(pixel(top, 1 + 97, 1 + 29), red);
    EXPECT_NE(pixel(top, 99, 15), red);   // the parent's border stays
    EXPECT_NE(pixel(top, 1 + 79, 1 + 10), red);
    EXPECT_NE(pixel(top, 1 + 80, 1 + 30), red);
}

TEST_F(Painting, GetMessageMakesPaintWhileAnUpdateRegionIsLeft) {
    HWND top = CreateWindowExA(0, recording_class(), "", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr, nullptr, nullptr, nullptr);
    answer(WM_PAINT, 0);   // a procedure that never validates
    MSG msg;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
        DispatchMessageA(&msg);
    }
    ValidateRect(top, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Painting, RedrawSwitchedOffCollectsNothing) {
    HWND top = CreateWindowExA(0, recording_class(), "", WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr, nullptr, nullptr, nullptr);
    UpdateWindow(top);
    SendMessageA(top, WM_SETREDRAW, FALSE, 0);
    InvalidateRect(top, nullptr, TRUE);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    SendMessageA(top, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(top, nullptr, TRUE);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

namespace {

const char* solid_class(const char* name, COLORREF color) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hbrBackground = CreateSolidBrush(color);
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
    return name;
}

std::uint32_t screen_pixel(int x, int y) {
    winsim::user::painting::present_if_changed();
    return winsim::host::display().screen().pixel(x, y);
}

}  // namespace

TEST_F(Painting, ScreenShowsTopLevelWindowsInZOrderWithoutHiddenOrMinimisedOnes) {
    static const char* red = solid_class("UserTestSolidRed", RGB(255, 0, 0));
    static const char* blue = solid_class("UserTestSolidBlue", RGB(0, 0, 255));
    HWND owner = CreateWindowExA(WS_EX_TOPMOST, red, "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND plain = CreateWindowExA(0, blue, "", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, nullptr, nullptr, nullptr, nullptr);
    pump();
    // The top-most owner lies above the plain window shown after it.
    EXPECT_EQ(screen_pixel(60, 60), 0xFF0000u);
    EXPECT_EQ(screen_pixel(120, 120), 0x0000FFu);
    HWND owned = CreateWindowExA(0, blue, "", WS_POPUP | WS_VISIBLE, 20, 20, 30, 30, owner, nullptr, nullptr, nullptr);
    pump();
    EXPECT_EQ(screen_pixel(25, 25), 0x0000FFu);   // owned, above its owner
    ShowWindow(owned, SW_HIDE);
    pump();
    EXPECT_EQ(screen_pixel(25, 25), 0xFF0000u);
    ShowWindow(owner, SW_MINIMIZE);
    pump();
    EXPECT_EQ(screen_pixel(60, 60), 0x0000FFu);
    EXPECT_NE(screen_pixel(10, 10), 0xFF0000u);
    ShowWindow(owner, SW_RESTORE);
    pump();
    EXPECT_EQ(screen_pixel(60, 60), 0xFF0000u);
    (void)plain;
}
