// Dialog templates, modal loops, the dialog procedure's answers and the dialog keyboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_builder.h"
#include "test_machine.h"
#include "user/dialog_template.h"
#include "user/message_queue.h"

using namespace user_test;

namespace {

using Dialogs = WindowTest;

// A push button stand-in: says it is one and reports a click to its parent.
LRESULT CALLBACK test_button(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_GETDLGCODE: return DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON;
        case WM_LBUTTONUP:
            SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0), reinterpret_cast<LPARAM>(hwnd));
            return 0;
        default: return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

// A default push button stand-in.
LRESULT CALLBACK test_default_button(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_GETDLGCODE) return DLGC_DEFPUSHBUTTON | DLGC_BUTTON;
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A multi-line edit stand-in: keeps every key for itself.
std::vector<WPARAM> field_chars;
LRESULT CALLBACK test_field(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    if (message == WM_CHAR) field_chars.push_back(wparam);
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

void register_test_controls() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = test_button;
    wc.lpszClassName = "TestButton";
    RegisterClassExA(&wc);
    wc.lpfnWndProc = test_field;
    wc.lpszClassName = "TestField";
    RegisterClassExA(&wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "TestLabel";
    RegisterClassExA(&wc);
    wc.lpfnWndProc = test_default_button;
    wc.lpszClassName = "TestDefaultButton";
    RegisterClassExA(&wc);
}

void key(unsigned vk, bool shift = false) {
    winsim::host::InputEvent e;
    e.kind = winsim::host::InputEvent::Kind::KeyDown;
    e.key = vk;
    e.shift = shift;
    winsim::user::MessageQueue::instance().push_input(e);
    e.kind = winsim::host::InputEvent::Kind::KeyUp;
    winsim::user::MessageQueue::instance().push_input(e);
}

DialogBuilder page_template(DWORD extra_style = 0) {
    DialogBuilder b(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK | extra_style, 20, 20,
                    168, 105, "Page");
    b.item("TestLabel", "label", static_cast<WORD>(-1), WS_VISIBLE, 5, 5, 100, 10)
        .item("TestField", "", 200, WS_VISIBLE | WS_BORDER, 5, 20, 100, 30)
        .item("TestButton", "Continue", IDOK, WS_VISIBLE | WS_TABSTOP, 31, 85, 50, 14)
        .item("TestButton", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 86, 85, 50, 14);
    return b;
}

// What the dialog procedures below saw.
struct Seen {
    std::vector<std::string> events;
    std::vector<std::pair<WORD, WORD>> commands;   // id, notification
    HWND focus_after_init = nullptr;
    bool owner_enabled_inside = true;
    HWND owner = nullptr;
};
Seen seen;

}  // namespace

TEST(DialogTemplate, ReadsTheClassicLayout) {
    DialogBuilder b(WS_POPUP | WS_CAPTION | DS_SETFONT, 20, 20, 300, 178, "%s License Agreement", "InstallDlg");
    b.item("Button", "I Agree", IDOK, WS_TABSTOP, 154, 161, 70, 15).item("Static", "", static_cast<WORD>(-1), 0, 5, 5, 20, 20, 100);
    auto t = winsim::user::parse_dialog_template(b.bytes().data(), b.bytes().size());
    ASSERT_TRUE(t);
    EXPECT_EQ(t->caption, "%s License Agreement");
    EXPECT_EQ(t->class_name, "InstallDlg");
    EXPECT_TRUE(t->has_font);
    EXPECT_EQ(t->face, "MS Sans Serif");
    EXPECT_EQ(t->point_size, 8);
    ASSERT_EQ(t->items.size(), 2u);
    EXPECT_EQ(t->items[0].class_name, "Button");
    EXPECT_EQ(t->items[0].text, "I Agree");
    EXPECT_EQ(t->items[0].cx, 70);
    EXPECT_EQ(t->items[1].id, 0xFFFF);
    ASSERT_TRUE(t->items[1].text_ordinal);
    EXPECT_EQ(*t->items[1].text_ordinal, 100);
    // Cut short anywhere, it is refused rather than read past its end.
    for (std::size_t n = 0; n < b.bytes().size(); n += 7)
        EXPECT_FALSE(winsim::user::parse_dialog_template(b.bytes().data(), n)) << n;
}

namespace {

INT_PTR CALLBACK measuring_proc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        RECT client;
        GetClientRect(dialog, &client);
        seen.events.push_back(std::to_string(client.right) + "x" + std::to_string(client.bottom));
        RECT item;
        GetWindowRect(GetDlgItem(dialog, IDOK), &item);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&item), 2);
        seen.events.push_back(std::to_string(item.left) + "," + std::to_string(item.top) + " " +
                              std::to_string(item.right - item.left) + "x" + std::to_string(item.bottom - item.top));
        seen.focus_after_init = GetFocus();
        seen.events.push_back(GetDlgItem(dialog, -1) ? "static found" : "static missing");
        // The plain border of a 3-D look dialog becomes a sunken edge.
        HWND field = GetDlgItem(dialog, 200);
        seen.events.push_back((GetWindowLongPtrA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? "edge" : "no edge");
        EndDialog(dialog, 5);
        return TRUE;
    }
    if (message == WM_SHOWWINDOW) seen.events.push_back("shown");
    return FALSE;
}

}  // namespace

TEST_F(Dialogs, DialogUnitsOfTheClassicFontAndAnEndDuringInitialisation) {
    register_test_controls();
    seen = Seen{};
    DialogBuilder b = page_template();
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, b.get(), nullptr, measuring_proc, 0), 5);
    // 168 x 105 units: 252 x 171 pixels (x * 6 / 4, y * 13 / 8, rounded); the button at
    // 31,85 (50 x 14) lands at 47,138 (75 x 23).
    ASSERT_GE(seen.events.size(), 4u);
    EXPECT_EQ(seen.events[0], "252x171");
    EXPECT_EQ(seen.events[1], "47,138 75x23");
    EXPECT_EQ(seen.events[2], "static found");
    EXPECT_EQ(seen.events[3], "edge");
    // Ended during WM_INITDIALOG: never shown.
    EXPECT_EQ(std::count(seen.events.begin(), seen.events.end(), "shown"), 0);
}

namespace {

// Each level opens the next one from its timer and ends with its level times ten.
INT_PTR CALLBACK nested_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    static std::vector<int> levels;
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
            seen.events.push_back("open " + std::to_string(lparam));
            SetTimer(dialog, 10 + lparam, 250, nullptr);
            return TRUE;
        case WM_TIMER: {
            KillTimer(dialog, wparam);
            auto level = static_cast<int>(GetWindowLongPtrA(dialog, DWLP_USER));
            if (level < 3) {
                HWND owner_check = dialog;
                DialogBuilder b = page_template();
                INT_PTR inner = DialogBoxIndirectParamA(nullptr, b.get(), dialog, nested_proc, level + 1);
                seen.events.push_back("inner " + std::to_string(inner) + (IsWindowEnabled(owner_check) ? " enabled" : " disabled"));
            } else {
                seen.owner_enabled_inside = IsWindowEnabled(GetWindow(dialog, GW_OWNER)) != FALSE;
            }
            seen.events.push_back("end " + std::to_string(level));
            EndDialog(dialog, level * 10);
            return TRUE;
        }
        default: return FALSE;
    }
}

}  // namespace

TEST_F(Dialogs, ModalLoopsNestThreeDeepAndDisableTheirOwners) {
    register_test_controls();
    seen = Seen{};
    HWND backdrop = CreateWindowExA(WS_EX_TOPMOST, recording_class(), "backdrop", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                                    nullptr, nullptr, nullptr, nullptr);
    DialogBuilder b = page_template();
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, b.get(), backdrop, nested_proc, 1), 10);
    std::vector<std::string> expected{"open 1", "open 2", "open 3", "end 3", "inner 30 enabled", "end 2",
                                      "inner 20 enabled", "end 1"};
    EXPECT_EQ(seen.events, expected);
    EXPECT_FALSE(seen.owner_enabled_inside);
    EXPECT_TRUE(IsWindowEnabled(backdrop));
    EXPECT_EQ(GetActiveWindow(), backdrop);
}

namespace {

INT_PTR CALLBACK keyboard_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            seen.focus_after_init = GetFocus();
            // The keys a person presses, in order, for the modal loop to take.
            key(VK_RETURN);          // Continue has the focus: IDOK
            key(VK_TAB);             // to Cancel
            key(VK_RETURN);          // the focused button's own id: IDCANCEL
            key(VK_TAB);             // wraps to Continue
            key(VK_TAB, true);       // back to Cancel
            key(VK_TAB);             // Continue again
            SetTimer(dialog, 1, 100, nullptr);
            return TRUE;
        case WM_TIMER:
            KillTimer(dialog, 1);
            SetFocus(GetDlgItem(dialog, 200));
            field_chars.clear();
            key(VK_RETURN);   // the field wants Enter: no command
            key(VK_ESCAPE);   // and Escape too
            SetTimer(dialog, 2, 100, nullptr);
            return TRUE;
        case WM_COMMAND:
            seen.commands.emplace_back(LOWORD(wparam), HIWORD(wparam));
            (void)lparam;
            return TRUE;
        case WM_USER:
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 77);
            return TRUE;
        default: break;
    }
    return FALSE;
}

INT_PTR CALLBACK keyboard_driver(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER && wparam == 2) {
        KillTimer(dialog, 2);
        seen.events.push_back("field chars " + std::to_string(field_chars.size()));
        SetFocus(GetDlgItem(dialog, IDOK));
        key(VK_ESCAPE);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wparam) == IDCANCEL && GetFocus() == GetDlgItem(dialog, IDOK)) {
        seen.commands.emplace_back(LOWORD(wparam), HIWORD(wparam));
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return keyboard_proc(dialog, message, wparam, lparam);
}

}  // namespace

TEST_F(Dialogs, EnterEscapeAndTabInTheModalLoop) {
    register_test_controls();
    seen = Seen{};
    DialogBuilder b = page_template();
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, b.get(), nullptr, keyboard_driver, 0), IDCANCEL);
    std::vector<std::pair<WORD, WORD>> expected{{IDOK, 0}, {IDCANCEL, 0}, {IDCANCEL, 0}};
    EXPECT_EQ(seen.commands, expected);
    ASSERT_EQ(seen.events.size(), 1u);
    // The field took Enter and Escape as characters of its own.
    EXPECT_EQ(seen.events[0], "field chars 2");
}

namespace {

INT_PTR CALLBACK answering_proc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            LRESULT via_result = SendMessageA(dialog, WM_USER, 0, 0);
            LRESULT raw = SendMessageA(dialog, WM_CTLCOLORSTATIC, 0, 0);
            seen.events.push_back(std::to_string(via_result));
            seen.events.push_back(std::to_string(raw));
            EndDialog(dialog, IDOK);
            return FALSE;
        }
        case WM_USER: SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 77); return TRUE;
        case WM_CTLCOLORSTATIC: return 1234;
        default: return FALSE;
    }
}

}  // namespace

TEST_F(Dialogs, ProcedureAnswersThroughMsgResultExceptForColours) {
    register_test_controls();
    seen = Seen{};
    DialogBuilder b = page_template();
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, b.get(), nullptr, answering_proc, 0), IDOK);
    EXPECT_EQ(seen.events, (std::vector<std::string>{"77", "1234"}));
}

TEST_F(Dialogs, FailuresToCreate) {
    DialogBuilder missing_class(WS_POPUP, 0, 0, 10, 10, "x", "NoSuchDialogClass");
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, missing_class.get(), nullptr, answering_proc, 0), -1);
    DialogBuilder missing_item(WS_POPUP, 0, 0, 10, 10, "x");
    missing_item.item("NoSuchControl", "", 1, 0, 0, 0, 5, 5);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, missing_item.get(), nullptr, answering_proc, 0), -1);
    DialogBuilder fine(WS_POPUP, 0, 0, 10, 10, "x");
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, fine.get(), reinterpret_cast<HWND>(0x999), answering_proc, 0), 0);
    EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(4242), nullptr, answering_proc, 0), -1);
}

TEST_F(Dialogs, DialogItemTextHelpers) {
    register_test_controls();
    HWND dialog = CreateWindowExA(0, WC_DIALOG, "d", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    CreateWindowExA(0, "TestButton", "old", WS_CHILD, 0, 0, 10, 10, dialog, reinterpret_cast<HMENU>(300), nullptr, nullptr);
    EXPECT_TRUE(SetDlgItemTextA(dialog, 300, "new text"));
    char buffer[5];
    EXPECT_EQ(GetDlgItemTextA(dialog, 300, buffer, sizeof buffer), 4u);
    EXPECT_STREQ(buffer, "new ");
    EXPECT_EQ(SendDlgItemMessageA(dialog, 300, WM_GETTEXTLENGTH, 0, 0), 8);
    EXPECT_FALSE(SetDlgItemTextA(dialog, 301, "x"));
    // WM_CLOSE to a dialog is a click on Cancel.
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, dialog, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(msg.wParam, MAKEWPARAM(IDCANCEL, 0));
    EXPECT_TRUE(IsWindow(dialog));
}

namespace {

INT_PTR CALLBACK default_button_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        key(VK_RETURN);   // the focus is on a plain field: the default push button answers
        return TRUE;
    }
    if (message == WM_COMMAND) {
        if (LOWORD(wparam) == 7) {
            SendMessageA(dialog, DM_SETDEFID, 9, 0);
            key(VK_RETURN);   // now the identifier DM_SETDEFID gave
        } else {
            EndDialog(dialog, LOWORD(wparam));
        }
        return TRUE;
    }
    return FALSE;
}

}  // namespace

TEST_F(Dialogs, EnterGoesToTheDefaultPushButtonWhenTheFocusIsElsewhere) {
    register_test_controls();
    DialogBuilder b(WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0, 100, 50, "Default");
    b.item("TestLabel", "", 50, WS_VISIBLE | WS_TABSTOP, 5, 5, 40, 10)
        .item("TestDefaultButton", "Go", 7, WS_VISIBLE, 5, 20, 40, 14);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, b.get(), nullptr, default_button_proc, 0), 9);
}
