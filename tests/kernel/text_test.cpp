#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

TEST(MultiByteToWideChar, MapsTheAnsiCodePageIncludingItsHighControls) {
    // 0x80-0x9F: the typographic characters Windows-1252 puts where Latin-1 has controls;
    // the five it leaves undefined become the C1 controls of the same value.
    const char16_t expected_80_9f[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    char ansi[129];
    for (int i = 0; i < 128; ++i) ansi[i] = char(0x80 + i);
    ansi[128] = 0;
    WCHAR wide[129];
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 129), 129);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(wide[i], expected_80_9f[i]) << std::hex << 0x80 + i;
    for (int i = 32; i < 128; ++i) EXPECT_EQ(wide[i], char16_t(0x80 + i)) << std::hex << 0x80 + i;
    EXPECT_EQ(wide[128], 0);
}

TEST(MultiByteToWideChar, CountsAndChecksTheBuffer) {
    const char* path = "C:\\Caf\xE9.lnk";
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0), 12);   // terminator included
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, path, 3, nullptr, 0), 3);
    WCHAR small[4] = {1, 1, 1, 1};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, path, -1, small, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    WCHAR exact[12];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, path, -1, exact, 12), 12);
    EXPECT_EQ(std::u16string(exact), u"C:\\Caf\u00E9.lnk");
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, path, 0, exact, 12), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0x100, path, -1, exact, 12), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

TEST(Wsprintf, FormatsTheConversionsItKnows) {
    struct Case { std::string out; const char* expected; };
    char b[1024];
    auto f = [&](auto... args) { wsprintfA(b, args...); return std::string(b); };
    const Case cases[] = {
        {f("Notepad.exe %s", "\"C:\\A B\\x.txt\""), "Notepad.exe \"C:\\A B\\x.txt\""},
        {f("%d|%5d|%-5d|%05d|%i", -42, 42, 42, -42, 7), "-42|   42|42   |-0042|7"},
        {f("%u %lu %x %X %#x %08lX", 4294967295u, 12u, 255u, 255u, 255u, 0xBEEFu), "4294967295 12 ff FF 0xff 0000BEEF"},
        {f("%c%c %3c|%-3c|", 'o', 'k', 'x', 'y'), "ok   x|y  |"},
        {f("%s|%8s|%-8s|%.2s", "abc", "abc", "abc", "abc"), "abc|     abc|abc     |ab"},
        {f("100%% %s", static_cast<const char*>(nullptr)), "100% (null)"},
    };
    for (const Case& k : cases) EXPECT_EQ(k.out, k.expected);
}

TEST(Wsprintf, StopsAt1024CharactersWithTheTerminator) {
    std::string big(2000, 'x');
    char out[1100];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(wsprintfA(out, "[%s]", big.c_str()), 1023);
    EXPECT_EQ(out[0], '[');
    EXPECT_EQ(out[1022], 'x');
    EXPECT_EQ(out[1023], '\0');
    EXPECT_EQ(out[1024], '#');
}
