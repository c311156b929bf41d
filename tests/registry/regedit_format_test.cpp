// The REGEDIT4 text of a hive: exact form, round trips and faults named by line.
#include <gtest/gtest.h>

#include <string>

#include "registry/regedit_format.h"

namespace winsim::registry {
namespace {

std::string sz(const std::string& text) { return text + std::string(1, '\0'); }

TEST(RegeditFormat, WritesSectionsEscapesAndValueOrder) {
    RegistryKey root("HKEY_LOCAL_MACHINE");
    RegistryKey& product = root.child("Software").child("Orvane Tinkerware");
    product.set_value("Sweeplux", 1, sz("C:\\Orvane \"T\"\\Sweeplux"));
    product.set_value("", 1, sz("default"));
    product.set_value("Count", 4, std::string("\x2a\x00\x00\x01", 4));
    root.child("Software").child("Empty");

    EXPECT_EQ(format_regedit(root),
              "REGEDIT4\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\Software]\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\Software\\Empty]\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\Software\\Orvane Tinkerware]\r\n"
              "\"Sweeplux\"=\"C:\\\\Orvane \\\"T\\\"\\\\Sweeplux\"\r\n"
              "@=\"default\"\r\n"
              "\"Count\"=dword:0100002a\r\n"
              "\r\n");
}

TEST(RegeditFormat, RoundTripsDataThatIsNotAPlainString) {
    RegistryKey root("HKEY_CURRENT_USER");
    RegistryKey& key = root.child("A").child("b");
    std::string binary;
    for (int i = 0; i < 100; ++i) binary.push_back(static_cast<char>(i * 7));
    key.set_value("long binary", 3, binary);                          // wraps over lines
    key.set_value("no terminator", 1, "abc");                         // REG_SZ without NUL
    key.set_value("inner nul", 1, std::string("a\0b\0", 4));
    key.set_value("line break", 1, sz("one\r\ntwo"));
    key.set_value("expand", 2, sz("%WINDIR%"));
    key.set_value("short dword", 4, "\x01");
    key.set_value("empty", 3, "");
    key.set_value("\xC4rger", 1, sz("\xE9t\xE9"));                    // Windows-1252 bytes
    root.set_value("on the root", 1, sz("x"));

    std::string text = format_regedit(root);
    RegeditParse parse = parse_regedit(text, "HKEY_CURRENT_USER");
    ASSERT_TRUE(parse.root) << parse.error_line << ": " << parse.error;
    EXPECT_TRUE(*parse.root == root) << text;
    EXPECT_NE(text.find(",\\\r\n  "), std::string::npos) << "long hex data is continued";
}

TEST(RegeditFormat, ReadsWhatOtherToolsWrite) {
    const char* text =
        "REGEDIT4\n"
        "; a comment\n"
        "[hkey_local_machine\\Software\\Gone]\n"
        "\"x\"=\"1\"\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Kept]\n"
        "\"bytes\" = hex:01,02,\\\n"
        "    03,04\n"
        "\"typed\"=hex(7):61,00,00\n"
        "\"dropped\"=\"soon\"\n"
        "\"dropped\"=-\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\Gone]\n";
    RegeditParse parse = parse_regedit(text, "HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(parse.root) << parse.error_line << ": " << parse.error;
    RegistryKey* software = parse.root->find_child("SOFTWARE");
    ASSERT_NE(software, nullptr);
    EXPECT_EQ(software->find_child("gone"), nullptr);
    RegistryKey* kept = software->find_child("kept");
    ASSERT_NE(kept, nullptr);
    ASSERT_EQ(kept->values().size(), 2u);
    EXPECT_EQ(kept->values()[0].data, std::string("\x01\x02\x03\x04"));
    EXPECT_EQ(kept->values()[1].type, 7u);
    EXPECT_EQ(kept->values()[1].data, std::string("a\0\0", 3));
}

TEST(RegeditFormat, NamesTheLineOfTheFirstFault) {
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"", 1},
        {"REGEDIT5\r\n", 1},
        {"REGEDIT4\r\n\"v\"=\"outside a key\"\r\n", 2},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A\r\n", 2},
        {"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A\\\\B]\r\n", 2},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"bad \\x escape\"\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"no end\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\" \"x\"\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=dword:123\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=hex:01,zz\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=hex:01,\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=hex:01,\\\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=hex:01,\\\r\n  02,,03\r\n", 4},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"x\" trailing\r\n", 3},
        {"REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\ngarbage\r\n", 3},
        {"REGEDIT4\r\n[-HKEY_LOCAL_MACHINE]\r\n", 2},
    };
    for (const Case& c : cases) {
        RegeditParse parse = parse_regedit(c.text, "HKEY_LOCAL_MACHINE");
        EXPECT_FALSE(parse.root) << c.text;
        EXPECT_EQ(parse.error_line, c.line) << c.text;
        EXPECT_FALSE(parse.error.empty()) << c.text;
    }
}

}  // namespace
}  // namespace winsim::registry
