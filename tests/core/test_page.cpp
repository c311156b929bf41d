#include "test_page.h"

#include "core/file_install.h"
#include "core/install_state.h"

namespace {

const char kPageClass[] = "TestInstallPage";
const char kTextClass[] = "TestInstallText";
const char kBarClass[] = "TestPercentBar";

LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        PaintedHalfPercents().push_back(InstallState.HalfPercent);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kPageClass;
    RegisterClassExA(&wc);
    wc.lpszClassName = kTextClass;
    RegisterClassExA(&wc);
    wc.lpfnWndProc = BarProc;
    wc.lpszClassName = kBarClass;
    RegisterClassExA(&wc);
}

}  // namespace

std::vector<int>& PaintedHalfPercents() {
    static std::vector<int> painted;
    return painted;
}

TestPage::TestPage() {
    RegisterClasses();
    window = CreateWindowExA(0, kPageClass, "Installing", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400,
                             200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int id = IDC_DESTINATION; id <= IDC_CURRENT_FILE; ++id)
        CreateWindowExA(0, kTextClass, "", WS_CHILD | WS_VISIBLE, 0, (id - 400) * 20, 300, 18,
                        window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleA(nullptr), nullptr);
    CreateWindowExA(0, kBarClass, "", WS_CHILD | WS_VISIBLE, 0, 120, 191, 13, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PERCENT_BAR)),
                    GetModuleHandleA(nullptr), nullptr);
    PaintedHalfPercents().clear();
}

TestPage::~TestPage() { DestroyWindow(window); }

std::string TestPage::text(int control_id) const {
    char buffer[MAX_PATH];
    buffer[0] = '\0';
    GetDlgItemTextA(window, control_id, buffer, sizeof buffer);
    return buffer;
}
