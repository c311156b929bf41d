#include <gtest/gtest.h>

#include "host/ini.h"

using winsim::host::IniFile;

TEST(IniFile, ReadsSectionsKeysAndComments) {
    IniFile ini = IniFile::parse(
        "; leading comment\r\n"
        "top = level\n"
        "[Machine]\r\n"
        "  screen =  800x600  \n"
        "admin = no ; refuse writes\n"
        "path = C:\\a;b\n"
        "quoted = \"x ; y\"  ; comment\n"
        "# hash comment = no\n"
        "no equals sign\n"
        "= no key\n"
        "[broken\n"
        "screen = 1x1\n"
        "[programs]\n"
        "Notepad.EXE=winsim-notepad\n"
        "[machine]\n"
        "computer = Box\n");
    struct Case { const char* section; const char* key; std::optional<std::string> value; };
    const Case cases[] = {
        {"", "top", "level"},
        {"machine", "SCREEN", "800x600"},       // first of two values wins; "[broken" is no header
        {"machine", "admin", "no"},
        {"machine", "path", "C:\\a;b"},         // a semicolon inside a value stays
        {"machine", "quoted", "x ; y"},
        {"machine", "computer", "Box"},         // a section may be split
        {"machine", "# hash comment", std::nullopt},
        {"programs", "notepad.exe", "winsim-notepad"},
        {"nowhere", "screen", std::nullopt},
    };
    for (const Case& k : cases) EXPECT_EQ(ini.value(k.section, k.key), k.value) << k.section << "/" << k.key;
    ASSERT_NE(ini.section("PROGRAMS"), nullptr);
    EXPECT_EQ(ini.section("programs")->entries.size(), 1u);
}

TEST(IniFile, SurvivesTextWithoutLineEndsOrWithZeros) {
    EXPECT_TRUE(IniFile::parse("").sections().empty());
    EXPECT_EQ(IniFile::parse("[a]").section("a")->entries.size(), 0u);
    IniFile ini = IniFile::parse(std::string_view("[a]\nk = v\0w\n", 12));
    EXPECT_EQ(ini.value("a", "k"), std::string("v\0w", 3));
    EXPECT_EQ(IniFile::parse("k = \"unterminated").value("", "k"), "\"unterminated");
}
