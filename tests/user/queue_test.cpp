// The message queue, timers and the virtual clock.
#include <windows.h>

#include <gtest/gtest.h>

#include "host/clock.h"
#include "test_machine.h"
#include "user/timer_table.h"

using namespace user_test;

namespace {

using Queue = WindowTest;
using Timers = WindowTest;

HWND popup(bool visible = false) {
    return CreateWindowExA(0, recording_class(), "", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 100, 100, nullptr,
                           nullptr, nullptr, nullptr);
}

// The polling routine of the installer's long work: one message per pass, for the window
// and its children only, until the duration has passed.
void pump_messages_for(HWND hwnd, DWORD duration) {
    DWORD start = GetTickCount();
    DWORD now;
    do {
        now = GetTickCount();
        MSG msg;
        if (PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } while (now - start < duration);
}

}  // namespace

TEST(TimerTable, DueTimersComeEarliestFirstAndRestartFromWhenTaken) {
    winsim::user::TimerTable table;
    auto any = [](HWND) { return true; };
    HWND a = reinterpret_cast<HWND>(0x10);
    HWND b = reinterpret_cast<HWND>(0x20);
    table.set(a, 1, 300, nullptr, 1000);
    table.set(b, 2, 100, nullptr, 1000);
    EXPECT_FALSE(table.take_due(1099, any, true));
    auto first = table.take_due(1500, any, true);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->hwnd, b);   // due at 1100, before a's 1300
    auto second = table.take_due(1500, any, true);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->hwnd, a);
    // A late timer fires once, then counts its interval from when it was taken.
    EXPECT_FALSE(table.take_due(1500, any, true));
    EXPECT_EQ(*table.next_due(), 1600u);
    EXPECT_TRUE(table.kill(b, 2));
    EXPECT_FALSE(table.kill(b, 2));
    EXPECT_EQ(*table.next_due(), 1800u);
    // Setting a timer again restarts it; intervals below the system minimum are raised to it.
    table.set(a, 1, 1, nullptr, 2000);
    EXPECT_EQ(*table.next_due(), 2010u);
}

TEST(TimerTable, DueTimesSurviveTheTickCountWrapping) {
    winsim::user::TimerTable table;
    table.set(reinterpret_cast<HWND>(0x10), 1, 100, nullptr, 0xFFFFFFC0u);
    auto any = [](HWND) { return true; };
    EXPECT_FALSE(table.take_due(0xFFFFFFF0u, any, false));
    EXPECT_TRUE(table.take_due(0x30u, any, false));
}

TEST(Clock, VirtualClockMovesOnlyForward) {
    winsim::host::Clock clock(winsim::host::Clock::Mode::Virtual);
    std::uint32_t start = clock.now();
    clock.advance_to(start + 250);
    EXPECT_EQ(clock.now(), start + 250);
    clock.advance_to(start + 100);
    EXPECT_EQ(clock.now(), start + 250);
    clock.advance(5);
    EXPECT_EQ(clock.now(), start + 255);
}

TEST_F(Queue, PostedMessagesComeBeforePaintAndPaintBeforeTimers) {
    HWND hwnd = popup(true);
    SetTimer(hwnd, 5, 10, nullptr);
    winsim::host::clock().advance(20);
    PostMessageA(hwnd, WM_USER + 1, 0, 0);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageA(&msg);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(Queue, QuitEndsGetMessageAfterThePostedMessages) {
    PostQuitMessage(3);
    PostMessageA(nullptr, WM_USER, 0, 0);
    MSG msg;
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Queue, InvalidWindowFilter) {
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, reinterpret_cast<HWND>(0x4321), 0, 0), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x4321), WM_USER, 0, 0));
}

TEST_F(Queue, WindowFilterTakesTheWindowAndItsChildrenAndLeavesTheRest) {
    HWND page = popup();
    HWND control = CreateWindowExA(0, recording_class(), "", WS_CHILD, 0, 0, 10, 10, page, nullptr, nullptr, nullptr);
    HWND other = popup();
    PostMessageA(other, WM_USER + 1, 0, 0);
    PostMessageA(control, WM_USER + 2, 0, 0);
    PostMessageA(page, WM_USER + 3, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, page, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    ASSERT_TRUE(PeekMessageA(&msg, page, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, control);
    ASSERT_TRUE(PeekMessageA(&msg, page, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, page);
    EXPECT_FALSE(PeekMessageA(&msg, page, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, other);
    // A message range filter.
    PostMessageA(other, WM_USER + 5, 0, 0);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 6, WM_USER + 9, PM_REMOVE));
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
}

TEST_F(Queue, PollingHandlesOnlyItsWindowAndItsTimersWhileTheClockMoves) {
    HWND backdrop = popup();
    HWND page = popup();
    SetTimer(page, 200, 50, nullptr);
    SetTimer(backdrop, 100, 50, nullptr);
    PostMessageA(backdrop, WM_USER, 0, 0);
    log().clear();
    DWORD before = GetTickCount();
    pump_messages_for(page, 500);
    DWORD elapsed = GetTickCount() - before;
    EXPECT_GE(elapsed, 500u);
    EXPECT_LT(elapsed, 520u);
    int page_timers = 0;
    for (const Logged& l : log()) {
        EXPECT_NE(l.hwnd, backdrop) << "message " << l.message;
        if (l.hwnd == page && l.message == WM_TIMER) ++page_timers;
    }
    EXPECT_GE(page_timers, 9);
    EXPECT_LE(page_timers, 10);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, backdrop);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
}

TEST_F(Queue, TickCountStandsStillWhileSomethingCanBeDelivered) {
    HWND hwnd = popup();
    PostMessageA(hwnd, WM_USER, 0, 0);
    DWORD a = GetTickCount();
    DWORD b = GetTickCount();
    EXPECT_EQ(a, b);
    pump();
    DWORD c = GetTickCount();
    DWORD d = GetTickCount();
    EXPECT_EQ(d, c + 1);
}

TEST_F(Timers, OneShotTimerKilledInItsHandlerFiresOnce) {
    HWND hwnd = popup();
    ASSERT_EQ(SetTimer(hwnd, 100, 250, nullptr), 100u);
    DWORD set_at = GetTickCount();
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));   // an idle wait jumps to the due time
    ASSERT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, 100u);
    EXPECT_GE(GetTickCount() - set_at, 250u);
    EXPECT_LT(GetTickCount() - set_at, 260u);
    EXPECT_TRUE(KillTimer(hwnd, msg.wParam));
    EXPECT_FALSE(KillTimer(hwnd, msg.wParam));
    winsim::host::clock().advance(10000);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Timers, DestroyedWindowsTimersStop) {
    HWND hwnd = popup();
    SetTimer(hwnd, 1, 10, nullptr);
    DestroyWindow(hwnd);
    winsim::host::clock().advance(100);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(SetTimer(hwnd, 1, 10, nullptr), 0u);
}

namespace {
int timer_proc_calls = 0;
void CALLBACK count_timer(HWND, UINT, UINT_PTR, DWORD) { ++timer_proc_calls; }
}  // namespace

TEST_F(Timers, TimerProcedureRunsWhenTheMessageIsDispatched) {
    UINT_PTR id = SetTimer(nullptr, 0, 20, count_timer);
    ASSERT_NE(id, 0u);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    DispatchMessageA(&msg);
    EXPECT_EQ(timer_proc_calls, 1);
    KillTimer(nullptr, id);
}

TEST_F(Queue, TranslateMessageMakesCharactersOfControlKeys) {
    HWND hwnd = popup(true);
    MSG key{};
    key.hwnd = hwnd;
    key.message = WM_KEYDOWN;
    key.wParam = VK_RETURN;
    EXPECT_TRUE(TranslateMessage(&key));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('\r'));
    key.wParam = 'A';
    TranslateMessage(&key);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE));
}
