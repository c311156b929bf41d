#include "control_harness.h"

#include <cstdlib>
#include <filesystem>

#include "user/controls/control_classes.h"

namespace controls_test {

std::vector<Notification> ControlsTest::notifications;
std::vector<DRAWITEMSTRUCT> ControlsTest::draws;
HBRUSH ControlsTest::static_brush = nullptr;

namespace {

LRESULT CALLBACK parent_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        ControlsTest::notifications.push_back({LOWORD(wparam), HIWORD(wparam)});
        return 0;
    case WM_DRAWITEM:
        ControlsTest::draws.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (ControlsTest::static_brush) {
            SetBkColor(reinterpret_cast<HDC>(wparam), RGB(255, 0, 0));
            return reinterpret_cast<LRESULT>(ControlsTest::static_brush);
        }
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A fresh simulated machine and the headless screen, before the window manager starts.
struct Machine : ::testing::Environment {
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("controls-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        setenv("WINSIM_PREFIX", dir.c_str(), 1);
        setenv("WINSIM_DISPLAY", "headless", 1);
        setenv("WINSIM_CLOCK", "virtual", 1);
        winsim::user::register_control_classes();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = parent_proc;
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = "ControlsTestParent";
        RegisterClassExA(&wc);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    std::filesystem::path dir;
};
const auto* machine = ::testing::AddGlobalTestEnvironment(new Machine);

}  // namespace

void ControlsTest::SetUp() {
    notifications.clear();
    draws.clear();
    static_brush = nullptr;
    parent = CreateWindowExA(0, "ControlsTestParent", "Controls", WS_POPUP | WS_VISIBLE, 10, 10, 500, 400,
                             nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    settle();   // the parent's own first paint, before any child exists
}

void ControlsTest::TearDown() {
    if (parent) DestroyWindow(parent);
    settle();
}

HWND ControlsTest::create(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    HWND hwnd = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr) << cls;
    return hwnd;
}

void ControlsTest::click(HWND hwnd, int x, int y) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ControlsTest::double_click(HWND hwnd, int x, int y) {
    click(hwnd, x, y);
    SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ControlsTest::key(HWND hwnd, UINT vk) {
    SendMessageA(hwnd, WM_KEYDOWN, vk, 1);
    SendMessageA(hwnd, WM_KEYUP, vk, 1);
}

void post_key(HWND hwnd, UINT vk) {
    PostMessageA(hwnd, WM_KEYDOWN, vk, 1);
    PostMessageA(hwnd, WM_KEYUP, vk, 1);
}

void ControlsTest::type(HWND hwnd, const std::string& text) {
    for (unsigned char c : text) SendMessageA(hwnd, WM_CHAR, c, 1);
}

std::string ControlsTest::text_of(HWND hwnd) {
    char buffer[1024] = {};
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

void ControlsTest::settle() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int ControlsTest::count(int id, int code) const {
    int n = 0;
    for (const Notification& note : notifications)
        if (note.id == id && note.code == code) ++n;
    return n;
}

}  // namespace controls_test
