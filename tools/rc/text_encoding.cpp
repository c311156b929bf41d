#include "text_encoding.h"

namespace rc {

namespace {

// Code points of the bytes 0x80 to 0x9F, the only range where Windows-1252 differs
// from Latin-1.
const char16_t high_controls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

std::u16string windows1252_to_utf16(const std::string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c >= 0x80 && c <= 0x9F)
            out.push_back(high_controls[c - 0x80]);
        else
            out.push_back(c);
    }
    return out;
}

}  // namespace rc
