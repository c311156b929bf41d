#include "shell/ansi_text.h"

#include <cstdint>

namespace winsim::shell {

namespace {

// Bytes 0x80 to 0x9F; the five bytes Windows-1252 leaves unassigned map to the C1 control
// with their own number, as the system's table does. Every other byte is its own code point.
constexpr char16_t high_controls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t wide_of(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return high_controls[byte - 0x80];
    return byte;
}

bool byte_of(char16_t wide, char& byte) {
    if (wide < 0x80 || (wide >= 0xA0 && wide <= 0xFF)) {
        byte = static_cast<char>(wide);
        return true;
    }
    for (int i = 0; i < 32; ++i)
        if (high_controls[i] == wide) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

}  // namespace

std::u16string widen(std::string_view ansi) {
    std::u16string wide;
    wide.reserve(ansi.size());
    for (char c : ansi) wide.push_back(wide_of(static_cast<unsigned char>(c)));
    return wide;
}

std::string narrow(std::u16string_view wide) {
    std::string ansi;
    ansi.reserve(wide.size());
    for (char16_t w : wide) {
        char byte;
        ansi.push_back(byte_of(w, byte) ? byte : '?');
    }
    return ansi;
}

}  // namespace winsim::shell
