// Window classes, creation and destruction, the tree, window data and geometry.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "test_machine.h"

using namespace user_test;

namespace {

HWND make_window(DWORD style, HWND parent = nullptr, int id = 0, DWORD ex_style = 0) {
    return CreateWindowExA(ex_style, recording_class(), "caption", style, 10, 20, 200, 150, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

using WindowClasses = WindowTest;
using Windows = WindowTest;

}  // namespace

TEST_F(WindowClasses, SystemDialogClassCanBeCopiedUnderAnotherName) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(nullptr, WC_DIALOG, &wc));
    EXPECT_EQ(wc.lpfnWndProc, &DefDlgProcA);
    EXPECT_EQ(wc.cbWndExtra, DLGWINDOWEXTRA);
    EXPECT_NE(wc.hCursor, nullptr);

    WNDCLASSEXA by_name{};
    ASSERT_TRUE(GetClassInfoExA(nullptr, "#32770", &by_name));
    EXPECT_EQ(by_name.lpfnWndProc, wc.lpfnWndProc);

    wc.lpszClassName = "CopiedDialogClass";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    HWND dialog = CreateWindowExA(0, "copieddialogclass", "x", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    SetWindowLongPtrA(dialog, DWLP_USER, 1234);
    EXPECT_EQ(GetWindowLongPtrA(dialog, DWLP_USER), 1234);

    EXPECT_FALSE(GetClassInfoExA(nullptr, "NoSuchClass", &wc));
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(Windows, CreationSendsItsMessagesInOrder) {
    HWND hwnd = make_window(WS_POPUP | WS_VISIBLE);
    ASSERT_NE(hwnd, nullptr);
    std::vector<UINT> got = messages_for(hwnd);
    std::vector<UINT> first(got.begin(), got.begin() + 5);
    EXPECT_EQ(first, (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_NE(std::find(got.begin(), got.end(), WM_SHOWWINDOW), got.end());
    EXPECT_NE(std::find(got.begin(), got.end(), WM_ACTIVATE), got.end());
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetActiveWindow(), hwnd);
    char text[32];
    EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 7);
    EXPECT_STREQ(text, "caption");
}

TEST_F(Windows, CreateAnsweringMinusOneFailsAndDestroys) {
    answer(WM_CREATE, -1);
    HWND hwnd = make_window(WS_POPUP);
    EXPECT_EQ(hwnd, nullptr);
    ASSERT_FALSE(log().empty());
    HWND made = log().front().hwnd;
    EXPECT_FALSE(IsWindow(made));
    std::vector<UINT> got = messages_for(made);
    EXPECT_NE(std::find(got.begin(), got.end(), WM_DESTROY), got.end());
    EXPECT_EQ(got.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST_F(Windows, ChildWithoutParentIsRefused) {
    EXPECT_EQ(make_window(WS_CHILD), nullptr);
    EXPECT_EQ(make_window(WS_CHILD, reinterpret_cast<HWND>(0x1234)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(Windows, DestroyTakesOwnedWindowsFirstThenParentBeforeChildren) {
    HWND owner = make_window(WS_POPUP | WS_VISIBLE);
    HWND child = make_window(WS_CHILD | WS_VISIBLE, owner, 7);
    HWND owned = make_window(WS_POPUP | WS_VISIBLE, owner);
    ASSERT_EQ(GetWindow(owned, GW_OWNER), owner);
    ASSERT_EQ(GetParent(child), owner);
    SetFocus(child);
    ASSERT_EQ(GetFocus(), child);
    SetCapture(child);
    log().clear();

    ASSERT_TRUE(DestroyWindow(owner));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Logged& l : log())
        if (l.message == WM_DESTROY || l.message == WM_NCDESTROY) order.emplace_back(l.hwnd, l.message);
    std::vector<std::pair<HWND, UINT>> expected{{owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {owner, WM_DESTROY},
                                                {child, WM_DESTROY}, {child, WM_NCDESTROY}, {owner, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(owner) || IsWindow(child) || IsWindow(owned));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(DestroyWindow(owner));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(Windows, TreeRelationsFollowCreationOrder) {
    HWND top = make_window(WS_POPUP);
    HWND a = make_window(WS_CHILD, top, 1);
    HWND b = make_window(WS_CHILD, top, 2);
    HWND grandchild = make_window(WS_CHILD, b, 3);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), nullptr);
    EXPECT_TRUE(IsChild(top, grandchild));
    EXPECT_FALSE(IsChild(a, grandchild));
    EXPECT_EQ(GetDlgItem(top, 2), b);
    EXPECT_EQ(GetDlgCtrlID(b), 2);
}

TEST_F(Windows, WindowDataByIndex) {
    HWND hwnd = make_window(WS_POPUP, nullptr, 0, WS_EX_TOOLWINDOW);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)) & WS_POPUP, static_cast<DWORD>(WS_POPUP));
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_USERDATA, 99), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 99);
    // The class has 16 extra bytes: two pointer-sized slots.
    EXPECT_EQ(SetWindowLongPtrA(hwnd, 8, -5), 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, 8), -5);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, 9), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(GetWindowLongPtrA(nullptr, GWL_STYLE), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

namespace {

WNDPROC previous_proc = nullptr;
int replaced_calls = 0;

LRESULT CALLBACK replacing_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_GETTEXTLENGTH) {
        ++replaced_calls;
        return 42;
    }
    return CallWindowProcA(previous_proc, hwnd, message, wparam, lparam);
}

}  // namespace

TEST_F(Windows, ReplacedProcedureSeesMessagesAndPassesTheRestOn) {
    HWND hwnd = make_window(WS_POPUP);
    previous_proc = reinterpret_cast<WNDPROC>(SetWindowLongA(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(replacing_proc)));
    ASSERT_NE(previous_proc, nullptr);
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 42);
    EXPECT_EQ(replaced_calls, 1);
    log().clear();
    EXPECT_TRUE(SetWindowTextA(hwnd, "new"));
    EXPECT_EQ(messages_for(hwnd), std::vector<UINT>{WM_SETTEXT});
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_proc));
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 3);
}

TEST_F(Windows, ClientAreaFollowsTheFrame) {
    struct Case {
        DWORD style;
        DWORD ex_style;
        RECT client;   // for a 200 x 150 window
    } cases[] = {
        {WS_POPUP, 0, {0, 0, 200, 150}},
        {WS_POPUP | WS_BORDER, 0, {0, 0, 198, 148}},
        {WS_POPUP | WS_CAPTION, WS_EX_DLGMODALFRAME, {0, 0, 194, 150 - 6 - 19}},
        {WS_POPUP | WS_CAPTION | WS_THICKFRAME, 0, {0, 0, 192, 150 - 8 - 19}},
        {WS_POPUP, WS_EX_CLIENTEDGE, {0, 0, 196, 146}},
    };
    for (const Case& c : cases) {
        HWND hwnd = make_window(c.style, nullptr, 0, c.ex_style);
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_TRUE(EqualRect(&client, &c.client)) << std::hex << c.style << " " << c.ex_style << ": " << client.right
                                                   << "x" << client.bottom;
        RECT adjusted = c.client;
        AdjustWindowRectEx(&adjusted, c.style, FALSE, c.ex_style);
        EXPECT_EQ(adjusted.right - adjusted.left, 200);
        EXPECT_EQ(adjusted.bottom - adjusted.top, 150);
        DestroyWindow(hwnd);
    }
}

TEST_F(Windows, CoordinatesMapBetweenWindowsAndScreen) {
    HWND top = make_window(WS_POPUP | WS_BORDER);   // at (10, 20), client from (11, 21)
    HWND child = CreateWindowExA(0, recording_class(), "", WS_CHILD, 5, 6, 50, 40, top, nullptr, nullptr, nullptr);
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 16);
    EXPECT_EQ(p.y, 27);
    ScreenToClient(top, &p);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 6);
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
    RECT expected{5, 6, 55, 46};
    EXPECT_TRUE(EqualRect(&r, &expected));
}

TEST_F(Windows, SizingAndMovingReportSizeAndMove) {
    HWND top = make_window(WS_POPUP);
    HWND child = CreateWindowExA(0, recording_class(), "", WS_CHILD | WS_VISIBLE, 5, 6, 50, 40, top, nullptr, nullptr, nullptr);
    log().clear();
    SetWindowPos(child, nullptr, 0, 0, 80, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(messages_for(child), (std::vector<UINT>{WM_NCCALCSIZE, WM_SIZE}));
    EXPECT_EQ(log().back().lparam, MAKELPARAM(80, 60));
    log().clear();
    SetWindowPos(child, nullptr, 9, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(messages_for(child), (std::vector<UINT>{WM_NCCALCSIZE, WM_MOVE}));
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.right - r.left, 80);
    log().clear();
    MoveWindow(child, 9, 9, 80, 60, TRUE);
    EXPECT_TRUE(messages_for(child).empty());
}

TEST_F(Windows, TopMostBandAndOwnedWindowsAboveTheirOwner) {
    HWND topmost = make_window(WS_POPUP | WS_VISIBLE, nullptr, 0, WS_EX_TOPMOST);
    HWND plain = make_window(WS_POPUP | WS_VISIBLE);
    // A plain window shown later stays below the top-most band.
    EXPECT_EQ(GetWindow(topmost, GW_HWNDFIRST), topmost);
    EXPECT_EQ(GetWindow(topmost, GW_HWNDNEXT), plain);
    HWND owned = make_window(WS_POPUP | WS_VISIBLE, topmost);
    // Owned by a top-most window, it is top-most too and above its owner.
    EXPECT_TRUE(GetWindowLongPtrA(owned, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(owned, GW_HWNDNEXT), topmost);
    SetActiveWindow(topmost);
    EXPECT_EQ(GetWindow(owned, GW_HWNDFIRST), owned);
    SetWindowPos(plain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(plain, GW_HWNDFIRST), plain);
}

TEST_F(Windows, ShowCommands) {
    HWND owner = make_window(WS_POPUP | WS_VISIBLE);
    HWND hwnd = make_window(WS_POPUP);
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWDEFAULT));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetActiveWindow(), hwnd);
    log().clear();
    EXPECT_TRUE(ShowWindow(hwnd, SW_MINIMIZE));
    EXPECT_TRUE(IsIconic(hwnd));
    EXPECT_EQ(GetActiveWindow(), owner);
    ASSERT_FALSE(messages_for(hwnd).empty());
    EXPECT_TRUE(ShowWindow(hwnd, SW_RESTORE));
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_FALSE(ShowWindow(hwnd, SW_HIDE));
}

TEST_F(Windows, DisablingTakesTheFocusAway) {
    HWND top = make_window(WS_POPUP | WS_VISIBLE);
    HWND child = make_window(WS_CHILD | WS_VISIBLE, top, 3);
    SetFocus(child);
    EXPECT_FALSE(EnableWindow(child, FALSE));
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_NE(GetFocus(), child);
    EXPECT_EQ(SetFocus(child), nullptr);
    EXPECT_NE(GetFocus(), child);
    EXPECT_TRUE(EnableWindow(child, TRUE));
    EXPECT_TRUE(IsWindowEnabled(child));
}

TEST(SystemMetrics, ScreenComesFromTheDisplayAndSizesFromTheClassicLook) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), kScreenWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), kScreenHeight);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CYSMICON), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
}

TEST(Rectangles, Helpers) {
    RECT a{0, 0, 10, 10}, b{5, 5, 20, 20}, out;
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    RECT inter{5, 5, 10, 10};
    EXPECT_TRUE(EqualRect(&out, &inter));
    RECT far{30, 30, 40, 40};
    EXPECT_FALSE(IntersectRect(&out, &a, &far));
    EXPECT_TRUE(IsRectEmpty(&out));
    UnionRect(&out, &a, &b);
    RECT uni{0, 0, 20, 20};
    EXPECT_TRUE(EqualRect(&out, &uni));
    EXPECT_TRUE(PtInRect(&a, POINT{0, 9}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));
    InflateRect(&a, 2, 3);
    OffsetRect(&a, 1, 1);
    RECT moved{-1, -2, 13, 14};
    EXPECT_TRUE(EqualRect(&a, &moved));
}
