#include "user/controls/list_items.h"

#include <gtest/gtest.h>

namespace winsim::controls {
namespace {

ListItems sorted_list(std::initializer_list<const char*> texts) {
    ListItems items;
    for (const char* t : texts) items.add(ListItem{t, 0, 0}, true);
    return items;
}

std::vector<std::string> texts_of(const ListItems& items) {
    std::vector<std::string> out;
    for (int i = 0; i < items.count(); ++i) out.push_back(items.at(i).text);
    return out;
}

TEST(ListItems, SortedAddIgnoresCase) {
    ListItems items = sorted_list({"delta", "Alpha", "charlie", "BRAVO", "alpha"});
    EXPECT_EQ(texts_of(items), (std::vector<std::string>{"Alpha", "alpha", "BRAVO", "charlie", "delta"}));
}

TEST(ListItems, InsertAtAnIndexIsNotSorted) {
    ListItems items = sorted_list({"b", "c"});
    EXPECT_EQ(items.insert(0, ListItem{"z", 0, 0}), 0);
    EXPECT_EQ(items.insert(-1, ListItem{"a", 0, 0}), 3);
    EXPECT_EQ(items.insert(9, ListItem{"x", 0, 0}), std::nullopt);
    EXPECT_EQ(texts_of(items), (std::vector<std::string>{"z", "b", "c", "a"}));
}

TEST(ListItems, FindSearchesAfterTheStartAndWrapsRound) {
    ListItems items;
    for (const char* t : {"C:\\", "Data", "data", "Docs"}) items.add(ListItem{t, 0, 0}, false);
    struct Case {
        int start;
        const char* text;
        bool exact;
        std::optional<int> found;
    };
    const Case cases[] = {
        {-1, "DATA", true, 1},        // from the top
        {1, "data", true, 2},         // after the start
        {2, "Data", true, 1},         // wraps round
        {0, "c:\\", true, 0},         // ends at the start itself
        {-1, "Dat", true, std::nullopt},
        {-1, "do", false, 3},         // prefix search
        {9, "c", false, 0},           // a start past the end searches from the top
        {-1, "", false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(items.find(c.start, c.text, c.exact), c.found) << c.start << " " << c.text;
    }
    EXPECT_EQ(ListItems{}.find(-1, "x", true), std::nullopt);
}

TEST(ListItems, CaseFoldingCoversTheAccentedLettersOfTheCodePage) {
    EXPECT_EQ(compare_without_case("\xC9t\xE9", "\xE9T\xC9"), 0);   // Été
    EXPECT_LT(compare_without_case("abc", "ABD"), 0);
    EXPECT_GT(compare_without_case("abcd", "ABC"), 0);
}

}  // namespace
}  // namespace winsim::controls
