#include "test_machine.h"

#include <cstdlib>
#include <filesystem>
#include <map>

#include "host/clock.h"
#include "user/message_queue.h"
#include "user/window_tree.h"

namespace user_test {

namespace {

// The machine is prepared before any test touches the display.
struct ScratchMachine {
    ScratchMachine() {
        root = std::filesystem::temp_directory_path() / ("winsim-user-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root);
        ::setenv("WINSIM_PREFIX", root.c_str(), 1);
        ::setenv("WINSIM_DISPLAY", "headless", 1);
        ::setenv("WINSIM_SCREEN", (std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight)).c_str(), 1);
        ::unsetenv("WINSIM_SCRIPT");
        winsim::host::reset_clock(winsim::host::Clock::Mode::Virtual);
    }
    ~ScratchMachine() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    std::filesystem::path root;
};
ScratchMachine machine;

std::map<UINT, LRESULT>& answers() {
    static std::map<UINT, LRESULT> table;
    return table;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    log().push_back(Logged{hwnd, message, wparam, lparam});
    auto it = answers().find(message);
    if (it != answers().end()) return it->second;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

}  // namespace

std::filesystem::path scratch_folder() { return machine.root; }

std::vector<Logged>& log() {
    static std::vector<Logged> entries;
    return entries;
}

std::vector<UINT> messages_for(HWND hwnd) {
    std::vector<UINT> out;
    for (const Logged& l : log())
        if (l.hwnd == hwnd) out.push_back(l.message);
    return out;
}

void answer(UINT message, LRESULT result) { answers()[message] = result; }
void clear_answers() { answers().clear(); }

const char* recording_class() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = recording_proc;
        wc.cbWndExtra = 16;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
        wc.lpszClassName = "UserTestRecorder";
        registered = RegisterClassExA(&wc) != 0;
    }
    return "UserTestRecorder";
}

void clear_desktop() {
    auto& tree = winsim::user::WindowTree::instance();
    while (!tree.top_levels().empty()) DestroyWindow(tree.top_levels().back()->hwnd);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    winsim::user::MessageQueue::instance().last_look_found_nothing = false;
    log().clear();
    clear_answers();
}

void WindowTest::SetUp() {
    clear_desktop();
    recording_class();
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace user_test
