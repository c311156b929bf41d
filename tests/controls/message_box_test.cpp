#include "control_harness.h"

#include "gdi/surface.h"
#include "host/display.h"
#include "user/controls/message_box.h"
#include "user/painting.h"

namespace controls_test {
namespace {

// What a run of a message box saw from inside: keys are pressed one per timer tick.
struct BoxRun {
    std::vector<UINT> keys;
    std::size_t next = 0;
    bool owner_enabled_while_open = true;
    std::string caption;
    std::string text;
    RECT window{};
    RECT text_rect{};
    int line_height = 0;
    int needed_height = 0;
    HICON icon = nullptr;
    // Screen probes: the box's face beside its buttons, and whether the text has black ink.
    std::uint32_t face = 0;
    bool text_inked = false;
};
BoxRun run;
HWND box_owner = nullptr;

void CALLBACK press_next_key(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    HWND box = GetActiveWindow();
    if (run.next == 0 && box && box != box_owner) {
        run.owner_enabled_while_open = IsWindowEnabled(box_owner) != FALSE;
        char buffer[512] = {};
        GetWindowTextA(box, buffer, sizeof(buffer));
        run.caption = buffer;
        HWND text = GetDlgItem(box, 0xFFFF);
        GetWindowTextA(text, buffer, sizeof(buffer));
        run.text = buffer;
        GetWindowRect(box, &run.window);
        GetClientRect(text, &run.text_rect);
        // The height the text needs in the width and font its static has.
        HDC dc = GetDC(text);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(text, WM_GETFONT, 0, 0)));
        RECT need{0, 0, run.text_rect.right, 0};
        DrawTextA(dc, run.text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        run.line_height = tm.tmHeight;
        run.needed_height = need.bottom;
        SelectObject(dc, previous);
        ReleaseDC(text, dc);
        run.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 20, STM_GETICON, 0, 0));
        winsim::user::painting::present_if_changed();
        const winsim::gdi::Surface& screen = winsim::host::display().screen();
        RECT client{};
        GetClientRect(box, &client);
        POINT corner{4, client.bottom - 4};
        ClientToScreen(box, &corner);
        run.face = screen.pixel(corner.x, corner.y);
        RECT on_screen{};
        GetWindowRect(text, &on_screen);
        for (int y = on_screen.top; y < on_screen.bottom && !run.text_inked; ++y)
            for (int x = on_screen.left; x < on_screen.right && !run.text_inked; ++x)
                run.text_inked = screen.pixel(x, y) == 0x000000;
    }
    if (run.next >= run.keys.size()) {
        KillTimer(hwnd, id);
        return;
    }
    UINT vk = run.keys[run.next++];
    HWND target = GetFocus() ? GetFocus() : box;
    // Letters arrive as the characters typed; the other keys as key presses.
    if (vk >= 'A' && vk <= 'Z') {
        PostMessageA(target, WM_CHAR, vk - 'A' + 'a', 1);
        return;
    }
    post_key(target, vk);
}

class MessageBoxTest : public ControlsTest {
protected:
    int show(const char* text, UINT type, std::vector<UINT> keys) {
        run = BoxRun{};
        run.keys = std::move(keys);
        box_owner = parent;
        SetTimer(parent, 77, 20, press_next_key);
        int result = MessageBoxA(parent, text, "Tarrowin", type);
        KillTimer(parent, 77);
        return result;
    }
};

TEST_F(MessageBoxTest, KeysEndTheBoxWithTheButtonTheyStandFor) {
    struct Case {
        UINT type;
        std::vector<UINT> keys;
        int result;
    };
    const Case cases[] = {
        {MB_OK | MB_ICONINFORMATION, {VK_RETURN}, IDOK},
        {MB_OK | MB_ICONWARNING, {VK_ESCAPE}, IDOK},
        {MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, {VK_RETURN}, IDYES},
        {MB_YESNO | MB_ICONQUESTION, {'N'}, IDNO},
        {MB_YESNO | MB_ICONQUESTION, {'Y'}, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
        // Escape does not end a box without Cancel or a lone OK.
        {MB_YESNO, {VK_ESCAPE, VK_ESCAPE, 'N'}, IDNO},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(show("Question?", c.type, c.keys), c.result) << "type " << c.type << " first key " << c.keys[0];
        EXPECT_EQ(run.next, c.keys.size());
    }
}

TEST_F(MessageBoxTest, TheOwnerIsDisabledWhileTheBoxIsOpen) {
    ASSERT_EQ(show("Installation Aborted!", MB_OK | MB_ICONWARNING, {VK_RETURN}), IDOK);
    EXPECT_FALSE(run.owner_enabled_while_open);
    EXPECT_TRUE(IsWindowEnabled(parent));
    EXPECT_EQ(run.caption, "Tarrowin");
    EXPECT_EQ(run.face, 0xC0C0C0u);
    EXPECT_TRUE(run.text_inked);
}

TEST_F(MessageBoxTest, TheBoxIsSizedToItsLines) {
    const char* lines = "Installation Aborted!\r\n\r\nIf you need assistance you can email\r\nsupport at - help@example.com!";
    ASSERT_EQ(show(lines, MB_OK | MB_ICONWARNING, {VK_RETURN}), IDOK);
    EXPECT_EQ(run.text, lines);
    EXPECT_GE(run.needed_height, 4 * run.line_height);
    EXPECT_GE(run.text_rect.bottom, run.needed_height);
    int wide = run.window.right - run.window.left;
    ASSERT_EQ(show("Short", MB_OK, {VK_RETURN}), IDOK);
    int narrow = run.window.right - run.window.left;
    EXPECT_GT(wide, narrow);
    // Two 50-unit buttons fit even under a one-word text.
    ASSERT_EQ(show("No", MB_YESNO, {'N'}), IDNO);
    EXPECT_GE(run.window.right - run.window.left, 2 * 75);
}

TEST_F(MessageBoxTest, ShowsTheSystemIconOfItsKind) {
    HICON expected = LoadIconA(nullptr, IDI_QUESTION);
    ASSERT_NE(expected, nullptr);
    ASSERT_EQ(show("Read me?", MB_YESNO | MB_ICONQUESTION, {VK_RETURN}), IDYES);
    EXPECT_EQ(run.icon, expected);
}

TEST_F(MessageBoxTest, AnUnknownButtonSetShowsNothing) {
    EXPECT_EQ(MessageBoxA(parent, "x", "Tarrowin", 0x0000000F), 0);
}

TEST(MessageBoxLayout, TextBesideTheIconAndButtonsCentredBelow) {
    using winsim::controls::lay_out_message_box;
    auto layout = lay_out_message_box(SIZE{300, 52}, 50, true, 2);
    EXPECT_GT(layout.text.left, layout.icon.right);
    ASSERT_EQ(layout.buttons.size(), 2u);
    EXPECT_EQ(layout.buttons[0].right - layout.buttons[0].left, 50);
    EXPECT_EQ(layout.buttons[0].bottom - layout.buttons[0].top, 14);
    EXPECT_GE(layout.buttons[0].top, layout.text.bottom);
    int left_gap = layout.buttons[0].left;
    int right_gap = layout.size.cx - layout.buttons[1].right;
    EXPECT_LE(std::abs(left_gap - right_gap), 1);
    // The text's room in pixels holds the measured text.
    EXPECT_GE((layout.text.right - layout.text.left) * 6 / 4, 300);
    EXPECT_GE((layout.text.bottom - layout.text.top) * 13 / 8, 52);
    // A short text beside the icon stands at its middle.
    auto short_one = lay_out_message_box(SIZE{40, 13}, 50, true, 1);
    EXPECT_GT(short_one.text.top, short_one.icon.top);
    EXPECT_LT(short_one.text.bottom, short_one.icon.bottom);
}

}  // namespace
}  // namespace controls_test
