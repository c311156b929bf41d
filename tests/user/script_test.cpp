// The scripted user's language and its failure rules.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "host/clock.h"
#include "host/script.h"
#include "test_machine.h"

using namespace user_test;
using winsim::host::ScriptedUser;

namespace {

using ScriptRules = WindowTest;

std::filesystem::path script_path() { return scratch_folder() / "test.script"; }

std::unique_ptr<ScriptedUser> parse(const std::string& text) {
    std::string error;
    auto user = ScriptedUser::parse(script_path(), text, error);
    EXPECT_TRUE(user) << error;
    return user;
}

}  // namespace

TEST(ScriptLanguage, ReadsEveryCommand) {
    auto user = parse(
        "# a comment\n"
        "wait \"Tarrowin\"\n"
        "\n"
        "click \"&Yes\"\n"
        "click #301\n"
        "dblclick #301 \"C:\\Program Files\"\n"
        "select #502 \"Accessories\"\n"
        "type \"say \"hi\" twice\"\n"
        "key Enter\n"
        "key Shift+Tab\n"
        "expect #200 \"text\"\n"
        "shot \"a.png\"\n"
        "drag 10,20 30,40\n"
        "close \"Tarrowin\"\n"
        "sleep 250\n");
    ASSERT_TRUE(user);
    const auto& c = user->commands();
    ASSERT_EQ(c.size(), 13u);
    EXPECT_EQ(c[0].line, 2);
    EXPECT_EQ(c[1].text, "&Yes");
    EXPECT_TRUE(c[2].has_id);
    EXPECT_EQ(c[2].id, 301);
    // A backslash is an ordinary character; a text runs to the last quote of its line.
    EXPECT_EQ(c[3].text, "C:\\Program Files");
    EXPECT_EQ(c[5].text, "say \"hi\" twice");
    EXPECT_EQ(c[7].name, "shift+tab");
    EXPECT_EQ(c[10].numbers[2], 30);
    EXPECT_EQ(c[12].numbers[0], 250);
}

TEST(ScriptLanguage, MalformedLinesAreNamed) {
    const char* bad[] = {"wait Tarrowin", "click", "dblclick \"item\"", "key Insertion", "drag 1,2",
                         "sleep soon",     "jump \"x\"", "expect #12x \"t\""};
    for (const char* line : bad) {
        std::string error;
        auto user = ScriptedUser::parse(script_path(), std::string("wait \"ok\"\n") + line + "\n", error);
        EXPECT_FALSE(user) << line;
        EXPECT_NE(error.find(":2:"), std::string::npos) << error;
    }
}

TEST_F(ScriptRules, ProgramMayWaitForItsOwnTimersAfterTheScriptEnded) {
    auto user = parse("sleep 10\n");
    HWND hwnd = CreateWindowExA(0, recording_class(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(user->on_idle(true));   // the sleep starts
    winsim::host::clock().advance(10);
    SetTimer(hwnd, 1, 100, nullptr);
    EXPECT_FALSE(user->on_idle(true));   // script done, a timer is still to come: no failure
    EXPECT_TRUE(user->finished());
    KillTimer(hwnd, 1);
    EXPECT_EXIT(user->on_idle(true), ::testing::ExitedWithCode(ScriptedUser::kFailureExitCode),
                "waits for input after the script ended");
}

TEST_F(ScriptRules, CommandThatCannotRunWithinThirtySecondsFailsNamingItsLine) {
    auto user = parse("# first\nwait \"Nothing Like It\"\n");
    EXPECT_FALSE(user->on_idle(true));
    auto wake = user->wake_tick();
    ASSERT_TRUE(wake);
    EXPECT_EQ(*wake - winsim::host::clock().now(), ScriptedUser::kCommandTimeoutMs + 1);
    winsim::host::clock().advance_to(*wake);
    EXPECT_EXIT(user->on_idle(true), ::testing::ExitedWithCode(ScriptedUser::kFailureExitCode),
                "test.script:2: wait: no window is active");
    EXPECT_TRUE(std::filesystem::exists(script_path().string() + ".failed.png"));
}
