#include "control_harness.h"

namespace controls_test {
namespace {

class EditTest : public ControlsTest {};

TEST_F(EditTest, TypingStopsAtTheLimitAndEachChangeNotifies) {
    HWND edit = create("Edit", "", ES_AUTOHSCROLL, 10, 10, 200, 20, 300);
    SendMessageA(edit, EM_LIMITTEXT, 5, 0);
    SetFocus(edit);
    type(edit, "abcdefg");
    EXPECT_EQ(text_of(edit), "abcde");
    EXPECT_EQ(count(300, EN_CHANGE), 5);
    EXPECT_EQ(count(300, EN_MAXTEXT), 2);
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 5);
}

TEST_F(EditTest, BackDeleteHomeAndEndEditWhereTheCaretIs) {
    HWND edit = create("Edit", "", ES_AUTOHSCROLL, 10, 10, 200, 20, 300);
    SetFocus(edit);
    type(edit, "hello");
    key(edit, VK_HOME);
    key(edit, VK_DELETE);            // "ello"
    key(edit, VK_END);
    type(edit, "\b");                // "ell"
    key(edit, VK_LEFT);
    type(edit, "X");                 // "elXl"
    EXPECT_EQ(text_of(edit), "elXl");
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
}

TEST_F(EditTest, SelectAllThenTypingReplacesTheText) {
    HWND edit = create("Edit", "C:\\Old", ES_AUTOHSCROLL, 10, 10, 200, 20, 300);
    EXPECT_EQ(text_of(edit), "C:\\Old");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELONG(0, 6));
    type(edit, "D");
    EXPECT_EQ(text_of(edit), "D");
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 1);
}

TEST_F(EditTest, SetTextIsNotLimitedButNotifies) {
    HWND edit = create("Edit", "", ES_AUTOHSCROLL, 10, 10, 200, 20, 300);
    SendMessageA(edit, EM_LIMITTEXT, 3, 0);
    SetWindowTextA(edit, "longer");
    EXPECT_EQ(text_of(edit), "longer");
    EXPECT_EQ(count(300, EN_CHANGE), 1);
    char small[4] = {};
    EXPECT_EQ(GetWindowTextA(edit, small, sizeof(small)), 3);
    EXPECT_STREQ(small, "lon");
}

TEST_F(EditTest, SingleLineLeavesEnterEscapeAndTabToTheDialog) {
    HWND edit = create("Edit", "", ES_AUTOHSCROLL, 10, 10, 200, 20, 300);
    LRESULT code = SendMessageA(edit, WM_GETDLGCODE, 0, 0);
    EXPECT_TRUE(code & DLGC_HASSETSEL);
    EXPECT_FALSE(code & DLGC_WANTALLKEYS);
    type(edit, "\r");
    EXPECT_EQ(text_of(edit), "");
}

TEST_F(EditTest, OnlyAutoScrollLetsALineGrowPastItsWidth) {
    HWND fixed = create("Edit", "", 0, 10, 10, 40, 20, 300);
    HWND scrolling = create("Edit", "", ES_AUTOHSCROLL, 10, 40, 40, 20, 301);
    type(fixed, std::string(40, 'W'));
    type(scrolling, std::string(40, 'W'));
    std::string shown = text_of(fixed);
    EXPECT_GT(shown.size(), 0u);
    EXPECT_LT(shown.size(), 40u);
    EXPECT_EQ(text_of(scrolling), std::string(40, 'W'));
}

const char* const kLicence =
    "line 0\r\nline 1\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6\r\nline 7\r\n"
    "line 8\r\nline 9\r\nline 10\r\nline 11 is the longest line of this text by far, so wide it must scroll";

class MultiLineEditTest : public ControlsTest {
protected:
    HWND make() {
        return create("Edit", "", ES_MULTILINE | WS_VSCROLL | WS_HSCROLL, 0, 0, 200, 100, 200);
    }
};

TEST_F(MultiLineEditTest, CrLfTextShowsAsLinesAndScrolls) {
    HWND edit = make();
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kLicence));
    EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 12);
    EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 2, 0), 16);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 16, 0), 6);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageA(edit, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageA(edit, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 2);
    SendMessageA(edit, WM_VSCROLL, SB_BOTTOM, 0);
    int last_top = static_cast<int>(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
    EXPECT_GT(last_top, 2);
    SendMessageA(edit, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), last_top);
    SendMessageA(edit, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(MultiLineEditTest, ClickingTheDownArrowScrollsOneLine) {
    HWND edit = make();
    SetWindowTextA(edit, kLicence);
    RECT c{};
    GetClientRect(edit, &c);
    // The down arrow sits at the bottom of the vertical bar, above the corner square.
    click(edit, c.right - 8, c.bottom - 16 - 8);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    click(edit, c.right - 8, 8);
    EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(MultiLineEditTest, EnterMakesANewLineAndArrowsMoveBetweenLines) {
    HWND edit = make();
    SetFocus(edit);
    type(edit, "ab\rcd");
    EXPECT_EQ(text_of(edit), "ab\r\ncd");
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, -1, 0), 1);
    key(edit, VK_UP);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, -1, 0), 0);
    key(edit, VK_END);
    type(edit, "\b");
    EXPECT_EQ(text_of(edit), "a\r\ncd");
}

TEST_F(MultiLineEditTest, WantsEnterButLeavesEscapeAndTab) {
    HWND edit = make();
    MSG enter{edit, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    MSG escape{edit, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    MSG tab{edit, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(SendMessageA(edit, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(SendMessageA(edit, WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&escape)) & DLGC_WANTALLKEYS);
    EXPECT_FALSE(SendMessageA(edit, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTALLKEYS);
}

TEST_F(MultiLineEditTest, MovingTheCaretBelowTheViewScrollsToIt) {
    HWND edit = make();
    SetWindowTextA(edit, kLicence);
    SetFocus(edit);
    for (int i = 0; i < 11; ++i) key(edit, VK_DOWN);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, -1, 0), 11);
    EXPECT_GT(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

}  // namespace
}  // namespace controls_test
