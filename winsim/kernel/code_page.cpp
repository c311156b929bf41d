#include "kernel/code_page.h"

#include <cstdint>

namespace winsim::kernel {

namespace {

// 0x80-0x9F of Windows-1252; every other byte is the Latin-1 code point of the same value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<unsigned char> unicode_to_ansi(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == u) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void append_utf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | (u >> 6));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xE0 | (u >> 12));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `s[i]`, advancing i; null on a malformed sequence.
std::optional<char32_t> next_utf8(std::string_view s, std::size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra;
    char32_t u;
    if (c < 0x80) { ++i; return c; }
    if ((c & 0xE0) == 0xC0) { extra = 1; u = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; u = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { extra = 3; u = c & 0x07; }
    else { ++i; return std::nullopt; }
    if (i + extra >= s.size()) { i = s.size(); return std::nullopt; }
    for (int k = 1; k <= extra; ++k) {
        unsigned char d = static_cast<unsigned char>(s[i + k]);
        if ((d & 0xC0) != 0x80) { i += k; return std::nullopt; }
        u = (u << 6) | (d & 0x3F);
    }
    i += extra + 1;
    static constexpr char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
    if (u < kMinimum[extra] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return std::nullopt;
    return u;
}

}  // namespace

char16_t ansi_to_unicode(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return kHighControls[c - 0x80];
    return c;
}

std::string ansi_to_utf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) append_utf8(out, ansi_to_unicode(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> utf8_to_ansi(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        std::optional<char32_t> u = next_utf8(utf8, i);
        if (!u) return std::nullopt;
        std::optional<unsigned char> b = unicode_to_ansi(*u);
        if (!b) return std::nullopt;
        out += char(*b);
    }
    return out;
}

std::string utf8_to_ansi_lossy(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        std::optional<char32_t> u = next_utf8(utf8, i);
        std::optional<unsigned char> b = u ? unicode_to_ansi(*u) : std::nullopt;
        out += b ? char(*b) : '?';
    }
    return out;
}

unsigned char ansi_upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return c;
    }
}

int ansi_icompare(std::string_view a, std::string_view b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = ansi_upper(static_cast<unsigned char>(a[i]));
        unsigned char y = ansi_upper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool ansi_iequal(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ansi_icompare(a, b) == 0;
}

}  // namespace winsim::kernel
