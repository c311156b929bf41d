#include "control_harness.h"

#include "user/controls/template_writer.h"

namespace controls_test {
namespace {

constexpr DWORD kGroupBox = CBS_SIMPLE | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT | CBS_AUTOHSCROLL |
                            CBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

class ComboBoxTest : public ControlsTest {
protected:
    HWND make() { return create("ComboBox", "", kGroupBox, 10, 10, 200, 130, 500); }
    static void add(HWND combo, const char* text) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    static HWND edit_of(HWND combo) { return GetDlgItem(combo, 1001); }
    static HWND list_of(HWND combo) { return GetDlgItem(combo, 1000); }
};

TEST_F(ComboBoxTest, SelectingAnEntryPutsItsTextIntoTheField) {
    HWND combo = make();
    for (const char* t : {"Startup", "Accessories", "Games"}) add(combo, t);
    char buffer[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(buffer));
    EXPECT_STREQ(buffer, "Accessories");
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(text_of(combo), "Games");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(text_of(combo), "");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(buffer)), CB_ERR);
}

TEST_F(ComboBoxTest, FindExactIgnoresCaseAndTheFieldKeepsItsOwnSpelling) {
    HWND combo = make();
    for (const char* t : {"Startup", "SWEEPLUX", "Accessories"}) add(combo, t);
    int found = static_cast<int>(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>("Sweeplux")));
    EXPECT_EQ(found, 2);
    SendMessageA(combo, CB_SETCURSEL, found, 0);
    EXPECT_EQ(text_of(combo), "SWEEPLUX");
    SetWindowTextA(combo, "Sweeplux");
    EXPECT_EQ(text_of(combo), "Sweeplux");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Sweep")),
              CB_ERR);
}

TEST_F(ComboBoxTest, TheLimitBindsTypingIntoTheField) {
    HWND combo = make();
    SendMessageA(combo, CB_LIMITTEXT, 4, 0);
    HWND edit = edit_of(combo);
    ASSERT_NE(edit, nullptr);
    SetFocus(combo);
    EXPECT_EQ(GetFocus(), edit);
    type(edit, "abcdef");
    EXPECT_EQ(text_of(combo), "abcd");
    EXPECT_GE(count(500, CBN_EDITCHANGE), 1);
}

TEST_F(ComboBoxTest, FocusComingToTheComboBoxSelectsTheFieldSoTypingReplacesIt) {
    HWND combo = make();
    SetWindowTextA(combo, "Sweeplux");
    SetFocus(combo);
    type(edit_of(combo), "New");
    EXPECT_EQ(text_of(combo), "New");
}

TEST_F(ComboBoxTest, ClickingTheListChoosesAndNotifies) {
    HWND combo = make();
    for (const char* t : {"Alpha", "Beta"}) add(combo, t);
    HWND list = list_of(combo);
    ASSERT_NE(list, nullptr);
    int h = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
    click(list, 10, h + 1);
    EXPECT_EQ(text_of(combo), "Beta");
    EXPECT_EQ(count(500, CBN_SELCHANGE), 1);
}

TEST_F(ComboBoxTest, DrawRequestsComeAsTheComboBoxs) {
    HWND combo = make();
    add(combo, "Alpha");
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    settle();
    draws.clear();
    HWND list = list_of(combo);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(draws[0].CtlID, 500u);
    EXPECT_EQ(draws[0].hwndItem, combo);
    EXPECT_TRUE(draws[0].itemState & ODS_SELECTED);
}

// Enter in the field of a dialog's combo box reaches the dialog as command 1.
std::vector<int> dialog_commands;

INT_PTR CALLBACK group_page(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetTimer(dialog, 1, 10, nullptr);
        return TRUE;
    }
    if (message == WM_TIMER && wparam == 2) {
        KillTimer(dialog, 2);
        EndDialog(dialog, 99);   // Enter did nothing
        return TRUE;
    }
    if (message == WM_TIMER) {
        KillTimer(dialog, 1);
        HWND edit = GetDlgItem(GetDlgItem(dialog, 500), 1001);
        post_key(edit, VK_RETURN);
        SetTimer(dialog, 2, 500, nullptr);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        if (LOWORD(wparam) != 500) dialog_commands.push_back(LOWORD(wparam));
        if (LOWORD(wparam) == 1) EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

TEST_F(ComboBoxTest, EnterInTheFieldSendsCommandOneToTheDialog) {
    dialog_commands.clear();
    winsim::controls::TemplateWriter page(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 20, 20,
                                          200, 100, "Group", 8, "MS Sans Serif");
    page.add_item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | kGroupBox, 5, 5, 134, 87, 500, 0x0085, "");
    INT_PTR result = DialogBoxIndirectParamA(nullptr, page.data(), parent, group_page, 0);
    EXPECT_EQ(result, 1);
    ASSERT_FALSE(dialog_commands.empty());
    EXPECT_EQ(dialog_commands.front(), 1);
}

// Tab from the field of a combo box moves on past the combo box, and back to it again.
std::vector<int> focus_seen;

INT_PTR CALLBACK tab_page(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    HWND edit = GetDlgItem(GetDlgItem(dialog, 500), 1001);
    if (message == WM_INITDIALOG) {
        SetFocus(edit);
        SetTimer(dialog, 1, 10, nullptr);
        return FALSE;
    }
    // Timers 1 to 3 each note the focus and press Tab through the queue, as a user would; from
    // the last tab stop Tab wraps to the first, the button before the combo box.
    if (message == WM_TIMER && wparam >= 1 && wparam <= 3) {
        KillTimer(dialog, wparam);
        HWND focus = GetFocus();
        focus_seen.push_back(focus == edit ? 1001 : GetDlgCtrlID(focus));
        post_key(focus, VK_TAB);
        SetTimer(dialog, wparam + 1, 50, nullptr);
        return TRUE;
    }
    if (message == WM_TIMER && wparam == 4) {
        KillTimer(dialog, 4);
        HWND focus = GetFocus();
        focus_seen.push_back(focus == edit ? 1001 : GetDlgCtrlID(focus));
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

TEST_F(ComboBoxTest, TabLeavesTheFieldForTheNextControlOfTheDialog) {
    focus_seen.clear();
    winsim::controls::TemplateWriter page(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT, 20, 20,
                                          200, 120, "Group", 8, "MS Sans Serif");
    page.add_item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 5, 5, 50, 14, 10, 0x0080, "Before");
    page.add_item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | kGroupBox, 5, 22, 134, 60, 500, 0x0085, "");
    page.add_item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 5, 90, 50, 14, 20, 0x0080, "After");
    ASSERT_EQ(DialogBoxIndirectParamA(nullptr, page.data(), parent, tab_page, 0), 1);
    // field, then the button after it, wrapping to the one before, and into the field again
    std::vector<int> expected{1001, 20, 10, 1001};
    EXPECT_EQ(focus_seen, expected);
}

}  // namespace
}  // namespace controls_test
