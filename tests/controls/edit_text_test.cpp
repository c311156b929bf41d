#include "user/controls/edit_text.h"

#include <gtest/gtest.h>

namespace winsim::controls {
namespace {

EditText typed(const std::string& s, std::size_t limit = 0) {
    EditText t;
    if (limit) t.set_limit(limit);
    for (char c : s) t.replace_selection(std::string(1, c));
    return t;
}

TEST(EditText, TypingStopsAtTheLimitAndReportsWhatWasLeftOut) {
    EditText t = typed("abc", 4);
    EXPECT_TRUE(t.replace_selection("d"));
    EXPECT_FALSE(t.replace_selection("e"));
    EXPECT_EQ(t.text(), "abcd");
    EXPECT_EQ(t.caret(), 4u);
    // Replacing a selection makes room again.
    t.select(1, 3);
    EXPECT_FALSE(t.replace_selection("XYZ"));
    EXPECT_EQ(t.text(), "aXYd");
}

TEST(EditText, SetTextIsNotBoundByTheLimit) {
    EditText t;
    t.set_limit(3);
    t.set_text("longer than three");
    EXPECT_EQ(t.text(), "longer than three");
    EXPECT_FALSE(t.replace_selection("x"));
}

TEST(EditText, BackAndDeleteRemoveWholeLineBreaks) {
    EditText t;
    t.set_text("ab\r\ncd");
    t.move_to(4, false);          // start of "cd"
    EXPECT_TRUE(t.erase_back());
    EXPECT_EQ(t.text(), "abcd");
    EXPECT_EQ(t.caret(), 2u);
    t.set_text("ab\r\ncd");
    t.move_to(2, false);
    EXPECT_TRUE(t.erase_forward());
    EXPECT_EQ(t.text(), "abcd");
    t.move_to(0, false);
    EXPECT_FALSE(t.erase_back());
    t.move_to(4, false);
    EXPECT_FALSE(t.erase_forward());
}

TEST(EditText, CaretSkipsLineBreaksAndHomeEndStayOnTheLine) {
    EditText t;
    t.set_text("one\r\ntwo\r\n");
    ASSERT_EQ(t.line_count(), 3u);
    EXPECT_EQ(t.line_text(1), "two");
    t.move_to(3, false);
    t.move_right(false);
    EXPECT_EQ(t.caret(), 5u);
    t.move_left(false);
    EXPECT_EQ(t.caret(), 3u);
    t.move_to(6, false);
    EXPECT_EQ(t.home(), 5u);
    EXPECT_EQ(t.end(), 8u);
    // A position inside a CR LF pair is moved before it.
    t.move_to(4, false);
    EXPECT_EQ(t.caret(), 3u);
}

TEST(EditText, ShiftMovesGrowTheSelectionAndPlainMovesCollapseIt) {
    EditText t;
    t.set_text("hello");
    t.move_to(1, false);
    t.move_right(true);
    t.move_right(true);
    EXPECT_EQ(t.selection_start(), 1u);
    EXPECT_EQ(t.selection_end(), 3u);
    t.move_left(false);
    EXPECT_FALSE(t.has_selection());
    EXPECT_EQ(t.caret(), 1u);
    t.select_all();
    EXPECT_TRUE(t.erase_back());
    EXPECT_EQ(t.text(), "");
}

TEST(EditText, ALimitNeverSplitsALineBreak) {
    EditText t = typed("ab", 3);
    EXPECT_FALSE(t.replace_selection("\r\n"));
    EXPECT_EQ(t.text(), "ab");
}

}  // namespace
}  // namespace winsim::controls
