#include "control_harness.h"

namespace controls_test {
namespace {

constexpr DWORD kFolderList = LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS | LBS_SORT | LBS_NOTIFY |
                              LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;

class ListBoxTest : public ControlsTest {
protected:
    HWND make(DWORD style = kFolderList) { return create("ListBox", "", style, 10, 10, 200, 100, 301); }
    static LRESULT add(HWND list, const char* text) {
        return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    static LRESULT insert(HWND list, int index, const char* text) {
        return SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    }
    static std::string item(HWND list, int index) {
        char buffer[256] = {};
        EXPECT_EQ(SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer)),
                  SendMessageA(list, LB_GETTEXTLEN, index, 0));
        return buffer;
    }
    static int find(HWND list, int start, const char* text) {
        return static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(start),
                                             reinterpret_cast<LPARAM>(text)));
    }
    static int item_height(HWND list) { return static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0)); }
};

TEST_F(ListBoxTest, SortsWithoutCaseAndInsertsAtAGivenIndex) {
    HWND list = make();
    add(list, "C:\\Zeta");
    add(list, "c:\\alpha");
    add(list, "C:\\Beta");
    EXPECT_EQ(insert(list, 0, "My Computer"), 0);
    EXPECT_EQ(insert(list, 1, "C:\\"), 1);
    EXPECT_EQ(insert(list, 9, "past the end"), LB_ERR);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 5);
    const char* expected[] = {"My Computer", "C:\\", "c:\\alpha", "C:\\Beta", "C:\\Zeta"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(item(list, i), expected[i]);
    EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 5, 0), LB_ERR);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListBoxTest, FindExactIgnoresCaseStartsAfterTheIndexAndWraps) {
    HWND list = make(LBS_HASSTRINGS | LBS_NOTIFY);
    for (const char* t : {"My Computer", "C:\\", "D:\\", "c:\\"}) add(list, t);
    EXPECT_EQ(find(list, 0, "c:\\"), 1);
    EXPECT_EQ(find(list, 1, "C:\\"), 3);
    EXPECT_EQ(find(list, 3, "C:\\"), 1);
    EXPECT_EQ(find(list, 0, "my computer"), 0);   // after index 0 round to index 0 itself
    EXPECT_EQ(find(list, -1, "My"), LB_ERR);
}

TEST_F(ListBoxTest, KeepsItemDataAndAnswersErrorsForMissingItems) {
    HWND list = make();
    add(list, "a");
    EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 0, 4), TRUE);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 4);
    EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 1, 4), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), LB_ERR);
    // Data follows its entry when a sorted entry is added in front of it.
    add(list, "0 first");
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 4);
}

TEST_F(ListBoxTest, ItemsWithoutMeasureAnswerGetTheFontsLineHeight) {
    HWND list = make();
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    add(list, "one");
    add(list, "two");
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    EXPECT_EQ(item_height(list), tm.tmHeight);
    RECT r{};
    ASSERT_EQ(SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r)), LB_OKAY);
    EXPECT_EQ(r.top, tm.tmHeight);
    EXPECT_EQ(r.bottom, 2 * tm.tmHeight);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r)), LB_ERR);
}

TEST_F(ListBoxTest, ClicksSelectAndNotifyAndDoubleClicksReportThemselves) {
    HWND list = make();
    for (const char* t : {"a", "b", "c"}) add(list, t);
    int h = item_height(list);
    click(list, 20, h + h / 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(count(301, LBN_SELCHANGE), 1);
    click(list, 20, h + 1);                  // the same entry again: no change
    EXPECT_EQ(count(301, LBN_SELCHANGE), 1);
    double_click(list, 20, 2 * h + 1);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(count(301, LBN_DBLCLK), 1);
    click(list, 20, 90);                     // below the last entry
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(ListBoxTest, WithoutNotifyNothingIsSent) {
    HWND list = make(LBS_HASSTRINGS);
    add(list, "a");
    double_click(list, 5, 2);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(notifications.empty());
}

TEST_F(ListBoxTest, KeysMoveTheSelectionAndScrollItIntoView) {
    HWND list = make();
    char name[8];
    for (int i = 0; i < 30; ++i) {
        snprintf(name, sizeof(name), "e%02d", i);
        add(list, name);
    }
    SetFocus(list);
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    EXPECT_EQ(count(301, LBN_SELCHANGE), 0);      // the program's own choice is not reported
    key(list, VK_DOWN);
    key(list, VK_DOWN);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(count(301, LBN_SELCHANGE), 2);
    key(list, VK_END);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 29);
    EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, 29, reinterpret_cast<LPARAM>(&r));
    EXPECT_LE(r.bottom, 100);
    key(list, VK_HOME);
    EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 30, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListBoxTest, OwnerDrawRequestsCarryTheEntriesStates) {
    HWND list = make();
    add(list, "b");
    add(list, "a");
    SendMessageA(list, LB_SETITEMDATA, 1, 2);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SetFocus(list);
    InvalidateRect(list, nullptr, TRUE);
    draws.clear();
    UpdateWindow(list);
    ASSERT_EQ(draws.size(), 2u);
    const DRAWITEMSTRUCT& first = draws[0];
    const DRAWITEMSTRUCT& second = draws[1];
    EXPECT_EQ(first.CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(first.CtlID, 301u);
    EXPECT_EQ(first.itemID, 0u);
    EXPECT_EQ(first.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(first.itemState & (ODS_SELECTED | ODS_FOCUS), 0u);
    EXPECT_EQ(first.hwndItem, list);
    EXPECT_EQ(second.itemID, 1u);
    EXPECT_EQ(second.itemState & (ODS_SELECTED | ODS_FOCUS), static_cast<UINT>(ODS_SELECTED | ODS_FOCUS));
    EXPECT_EQ(second.itemData, 2u);
    EXPECT_EQ(second.rcItem.top, first.rcItem.bottom);
    // A click on the other entry redraws both as a change of selection.
    draws.clear();
    click(list, 5, first.rcItem.top + 1);
    bool old_unselected = false;
    bool new_selected = false;
    for (const DRAWITEMSTRUCT& d : draws) {
        if (d.itemID == 1 && d.itemAction == ODA_SELECT && !(d.itemState & ODS_SELECTED)) old_unselected = true;
        if (d.itemID == 0 && d.itemAction == ODA_SELECT && (d.itemState & ODS_SELECTED)) new_selected = true;
    }
    EXPECT_TRUE(old_unselected);
    EXPECT_TRUE(new_selected);
}

TEST_F(ListBoxTest, SuspendedRedrawPaintsNothingUntilResumed) {
    HWND list = make();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    add(list, "a");
    add(list, "b");
    settle();
    EXPECT_TRUE(draws.empty());
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    settle();
    EXPECT_EQ(draws.size(), 2u);
}

TEST_F(ListBoxTest, TheScrollBarStaysWhenAskedToAndOtherwiseComesWhenNeeded) {
    struct Case {
        DWORD style;
        int items;
        bool bar;
    };
    const Case cases[] = {
        {LBS_HASSTRINGS | WS_VSCROLL | LBS_DISABLENOSCROLL, 1, true},
        {LBS_HASSTRINGS | WS_VSCROLL, 1, false},
        {LBS_HASSTRINGS | WS_VSCROLL, 40, true},
        {LBS_HASSTRINGS, 40, false},
    };
    for (const Case& c : cases) {
        HWND list = make(c.style);
        for (int i = 0; i < c.items; ++i) add(list, "entry");
        RECT r{};
        SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        RECT client{};
        GetClientRect(list, &client);
        EXPECT_EQ(r.right, c.bar ? client.right - GetSystemMetrics(SM_CXVSCROLL) : client.right)
            << c.style << " " << c.items;
        DestroyWindow(list);
    }
}

TEST_F(ListBoxTest, DraggingTheThumbScrollsTheList) {
    HWND list = make();
    for (int i = 0; i < 40; ++i) add(list, "entry");
    RECT client{};
    GetClientRect(list, &client);
    int x = client.right - 8;
    // The thumb starts just below the up arrow.
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 18));
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, client.bottom - 1));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(x, client.bottom - 1));
    int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    EXPECT_GT(top, 30);
    RECT last{};
    SendMessageA(list, LB_GETITEMRECT, 39, reinterpret_cast<LPARAM>(&last));
    EXPECT_LE(last.bottom, client.bottom);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);   // scrolling chooses nothing
}

TEST_F(ListBoxTest, AnEmptyListWithTheFocusAsksForAFocusRectangle) {
    HWND list = make();
    SetFocus(list);
    InvalidateRect(list, nullptr, TRUE);
    draws.clear();
    UpdateWindow(list);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].itemID, static_cast<UINT>(-1));
    EXPECT_EQ(draws[0].itemAction, static_cast<UINT>(ODA_FOCUS));
}

}  // namespace
}  // namespace controls_test
