// Composing paths, tidying their letter case and finding extensions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/path_helpers.h"

namespace {

TEST(JoinPath, PutsOneBackslashBetweenFolderAndName) {
    struct Case {
        const char* folder;
        const char* name;
        int quote;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\", "x.exe", 0, "C:\\x.exe"},
        {"C:\\Dir", "*.*", 0, "C:\\Dir\\*.*"},
        {"C:\\Dir\\", "\\x", 0, "C:\\Dir\\\\x"},  // the name is not examined
        {"C:\\Program Files\\Sweeplux", "Swxguide.txt", 1,
         "\"C:\\Program Files\\Sweeplux\\Swxguide.txt\""},
        {"C:\\", "x.exe", 1, "\"C:\\x.exe\""},
        {"", "x", 1, "\"\\x\""},  // the opening quote is not a backslash
        {"", "x", 0, "\\x"},
    };
    for (const Case& c : cases) {
        char output[MAX_PATH];
        std::memset(output, 'z', sizeof output);
        JoinPath(output, c.folder, c.name, c.quote);
        EXPECT_STREQ(output, c.expected) << c.folder << " + " << c.name;
        EXPECT_EQ(output[std::strlen(c.expected) + 1], 'z') << "nothing written past the terminator";
    }
}

TEST(MakeLinkPath, JoinsProgramsGroupAndShortcutName) {
    struct Case {
        const char* programs;
        const char* group;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\Menu\\Programs", "Sweeplux", "C:\\Menu\\Programs\\Sweeplux\\Read Me.lnk"},
        {"C:\\Menu\\Programs", "", "C:\\Menu\\Programs\\Read Me.lnk"},
        {"C:\\Menu\\Programs\\", "Tools\\", "C:\\Menu\\Programs\\Tools\\Read Me.lnk"},
    };
    for (const Case& c : cases) {
        char output[MAX_PATH];
        MakeLinkPath(output, c.programs, c.group, "Read Me");
        EXPECT_STREQ(output, c.expected) << c.programs << " + " << c.group;
    }
}

TEST(PrettifyCase, CapitalisesWordsAfterSeparatorsOnly) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\WINDOWS", "C:\\Windows"},
        {"c:\\windows", "C:\\Windows"},
        {"C:\\DOCUMENTS AND SETTINGS\\ALL USERS\\START MENU\\PROGRAMS",
         "C:\\Documents And Settings\\All Users\\Start Menu\\Programs"},
        {"C:\\MY  DIR", "C:\\My  dir"},
        {"\\WINDOWS", "\\windows"},
        {"C:\\WINNT\\\xC4" "BC", "C:\\Winnt\\\xC4" "bc"},
        {"C:\\Documents and Settings", "C:\\Documents And Settings"},
        {"C:\\Program Files\\Sweeplux", "C:\\Program Files\\Sweeplux"},
        {"C:\\WINDOWS\\", "C:\\Windows\\"},
        {"C:\\A \\b", "C:\\A \\b"},  // a separator right after a separator does not act
        {"", ""},
    };
    for (const Case& c : cases) {
        char text[MAX_PATH];
        std::strcpy(text, c.text);
        text[std::strlen(c.text) + 1] = 'z';
        PrettifyCase(text);
        EXPECT_STREQ(text, c.expected) << c.text;
        EXPECT_EQ(text[std::strlen(c.text) + 1], 'z') << "the walk stops at the terminator";
    }
}

TEST(FindExtension, AnswersTheLastFullStop) {
    struct Case {
        const char* name;
        const char* extension;  // null: none
    };
    const Case cases[] = {
        {"Swxplugs.dat", ".dat"},
        {"notes.key.bak", ".bak"},
        {"README", nullptr},
        {"name.", "."},
        {".profile", ".profile"},
    };
    for (const Case& c : cases) {
        LPCSTR found = FindExtension(c.name);
        if (!c.extension) {
            EXPECT_EQ(found, nullptr) << c.name;
        } else {
            ASSERT_NE(found, nullptr) << c.name;
            EXPECT_GE(found, c.name);
            EXPECT_STREQ(found, c.extension) << c.name;
        }
    }
}

}  // namespace
