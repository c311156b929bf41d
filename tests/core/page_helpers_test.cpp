// Showing counts in a page's controls and keeping the page responsive during long work.
#include <gtest/gtest.h>

#include "core/path_helpers.h"
#include "scratch_machine.h"
#include "test_page.h"

namespace {

TEST(FormatThousands, PutsACommaOnlyWhereMoreDigitsFollow) {
    ScratchMachine machine;
    TestPage page;
    struct Case {
        DWORD value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},           {100, "100"},         {999, "999"},
        {1000, "1,000"},    {12345, "12,345"},    {964803, "964,803"},
        {1000000, "1,000,000"}, {4294967295u, "4,294,967,295"},
    };
    for (const Case& c : cases) {
        FormatThousands(page.window, 401, c.value);
        EXPECT_EQ(page.text(401), c.text) << c.value;
    }
}

int page_messages = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++page_messages;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(PumpMessagesFor, HandlesThePagesMessagesAndLeavesOthersQueued) {
    ScratchMachine machine;
    TestPage page;
    TestPage other;
    SetWindowLongPtrA(page.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc));
    page_messages = 0;
    PostMessageA(page.window, WM_APP, 0, 0);
    PostMessageA(other.window, WM_APP, 0, 0);

    PumpMessagesFor(page.window, 0);  // at least one pass runs
    EXPECT_EQ(page_messages, 1);

    PostMessageA(page.window, WM_APP, 0, 0);
    DWORD start = GetTickCount();
    PumpMessagesFor(page.window, 40);
    EXPECT_GE(GetTickCount() - start, 40u) << "returns only after the duration";
    EXPECT_EQ(page_messages, 2);

    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, other.window, WM_APP, WM_APP, PM_REMOVE))
        << "a message for another window stays in the queue";
}

}  // namespace
