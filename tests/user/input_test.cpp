// Mouse and keyboard input: hit-testing, activation, disabled owners, capture, double
// clicks, moving and sizing by the frame, keys to the focus window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "host/clock.h"
#include "test_machine.h"
#include "user/message_queue.h"

using namespace user_test;
using Kind = winsim::host::InputEvent::Kind;

namespace {

using Input = WindowTest;

void mouse(Kind kind, int x, int y) {
    winsim::host::InputEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    winsim::user::MessageQueue::instance().push_input(e);
}

void click(int x, int y) {
    mouse(Kind::MouseMove, x, y);
    mouse(Kind::MouseDown, x, y);
    mouse(Kind::MouseUp, x, y);
}

HWND window(DWORD style, int x, int y, int w, int h, HWND parent = nullptr, DWORD ex = 0) {
    return CreateWindowExA(ex, recording_class(), "w", style, x, y, w, h, parent, nullptr, nullptr, nullptr);
}

const Logged* last(HWND hwnd, UINT message) {
    const Logged* found = nullptr;
    for (const Logged& l : log())
        if (l.hwnd == hwnd && l.message == message) found = &l;
    return found;
}

int count(HWND hwnd, UINT message) {
    return static_cast<int>(std::count_if(log().begin(), log().end(),
                                          [&](const Logged& l) { return l.hwnd == hwnd && l.message == message; }));
}

}  // namespace

TEST_F(Input, ClickReachesTheChildUnderThePointAndActivatesItsWindow) {
    HWND below = window(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
    HWND above = window(WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100, 200, 200);
    HWND child = window(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, above);
    log().clear();
    click(111 + 20, 111 + 30);   // the child's client point (20, 30)
    pump();
    const Logged* down = last(child, WM_LBUTTONDOWN);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(GET_X_LPARAM(down->lparam), 20);
    EXPECT_EQ(GET_Y_LPARAM(down->lparam), 30);
    EXPECT_EQ(down->wparam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_NE(last(child, WM_LBUTTONUP), nullptr);
    EXPECT_EQ(count(below, WM_LBUTTONDOWN), 0);
    click(50, 50);   // only the window below is there: it comes to the top
    pump();
    EXPECT_NE(last(below, WM_LBUTTONDOWN), nullptr);
    EXPECT_EQ(GetActiveWindow(), below);
    log().clear();
    click(111 + 20, 111 + 30);
    pump();
    EXPECT_EQ(count(child, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(count(below, WM_LBUTTONDOWN), 1);
}

TEST_F(Input, DisabledOwnerOfAModalWindowRefusesInput) {
    HWND owner = window(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300);
    HWND page = window(WS_POPUP | WS_VISIBLE, 200, 200, 50, 50, owner);
    EnableWindow(owner, FALSE);
    log().clear();
    click(10, 10);
    pump();
    EXPECT_EQ(count(owner, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(GetActiveWindow(), page);
    HWND disabled_child = window(WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, 20, 20, page);
    click(205, 205);
    pump();
    // A disabled control takes nothing; its parent gets the click.
    EXPECT_EQ(count(disabled_child, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(count(page, WM_LBUTTONDOWN), 1);
}

TEST_F(Input, CaptureTakesTheMouseAnywhere) {
    HWND a = window(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND b = window(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
    SetCapture(a);
    log().clear();
    mouse(Kind::MouseMove, 250, 50);
    pump();
    const Logged* move = last(a, WM_MOUSEMOVE);
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(GET_X_LPARAM(move->lparam), 250);
    EXPECT_EQ(count(b, WM_MOUSEMOVE), 0);
    ReleaseCapture();
    mouse(Kind::MouseMove, 251, 50);
    pump();
    EXPECT_EQ(count(b, WM_MOUSEMOVE), 1);
}

TEST_F(Input, SecondQuickClickIsADoubleClickForClassesThatAskForIt) {
    HWND hwnd = window(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);   // the recording class has CS_DBLCLKS
    log().clear();
    click(10, 10);
    click(12, 11);
    click(12, 11);
    pump();
    EXPECT_EQ(count(hwnd, WM_LBUTTONDOWN), 2);
    EXPECT_EQ(count(hwnd, WM_LBUTTONDBLCLK), 1);
    winsim::host::clock().advance(1000);
    log().clear();
    click(10, 10);
    pump();
    winsim::host::clock().advance(600);   // too late for a double click
    click(10, 10);
    click(60, 60);   // too far from the last one
    pump();
    EXPECT_EQ(count(hwnd, WM_LBUTTONDBLCLK), 0);
}

TEST_F(Input, CaptionMovesTheWindowAndTheSizingBorderSizesIt) {
    HWND hwnd = window(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME, 100, 100, 200, 150);
    mouse(Kind::MouseMove, 150, 110);
    mouse(Kind::MouseDown, 150, 110);   // on the caption bar
    mouse(Kind::MouseMove, 170, 130);
    mouse(Kind::MouseUp, 180, 140);
    pump();
    RECT r;
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 130);
    EXPECT_EQ(r.top, 130);
    EXPECT_EQ(r.right - r.left, 200);
    log().clear();
    // The bottom right corner: 100 wider and 50 higher.
    mouse(Kind::MouseMove, r.right - 1, r.bottom - 1);
    mouse(Kind::MouseDown, r.right - 1, r.bottom - 1);
    mouse(Kind::MouseMove, r.right + 49, r.bottom + 24);
    mouse(Kind::MouseUp, r.right + 99, r.bottom + 49);
    pump();
    RECT sized;
    GetWindowRect(hwnd, &sized);
    EXPECT_EQ(sized.right - sized.left, 300);
    EXPECT_EQ(sized.bottom - sized.top, 200);
    const Logged* size = last(hwnd, WM_SIZE);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(LOWORD(size->lparam), 300 - 8);
    EXPECT_EQ(HIWORD(size->lparam), 200 - 8 - 19);
}

TEST_F(Input, CloseButtonAsksTheWindowToClose) {
    HWND hwnd = window(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, 0, 200, 100);
    RECT r;
    GetWindowRect(hwnd, &r);
    // The close button sits at the right end of the caption bar.
    click(r.right - 3 - 8, 3 + 9);
    pump();
    EXPECT_EQ(count(hwnd, WM_CLOSE), 1);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Input, KeysGoToTheFocusWindowWithTheShiftState) {
    HWND top = window(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND field = window(WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top);
    SetFocus(field);
    log().clear();
    winsim::host::InputEvent e;
    e.kind = Kind::KeyDown;
    e.key = VK_SHIFT;
    e.shift = true;
    winsim::user::MessageQueue::instance().push_input(e);
    e.key = 'A';
    winsim::user::MessageQueue::instance().push_input(e);
    e.kind = Kind::Char;
    e.ch = 'A';
    winsim::user::MessageQueue::instance().push_input(e);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, field);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    pump();
    const Logged* ch = last(field, WM_CHAR);
    ASSERT_NE(ch, nullptr);
    EXPECT_EQ(ch->wparam, static_cast<WPARAM>('A'));
    e.kind = Kind::KeyUp;
    e.key = VK_SHIFT;
    e.shift = false;
    winsim::user::MessageQueue::instance().push_input(e);
    pump();
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
}
