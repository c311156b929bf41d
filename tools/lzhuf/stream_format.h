// The constants of the stream format and the fixed code of a match position's upper bits.
#pragma once

#include <array>
#include <cstdint>

namespace lzhuf {

inline constexpr unsigned ring_size = 4096;
inline constexpr unsigned max_match = 60;
inline constexpr unsigned min_match = 3;
inline constexpr unsigned ring_prefill = ring_size - max_match;  // leading spaces of the ring
inline constexpr unsigned symbol_count = 314;  // 256 literals, then lengths 3 to 60
inline constexpr unsigned node_count = 2 * symbol_count - 1;
inline constexpr unsigned root_node = node_count - 1;
inline constexpr unsigned max_freq = 0x8000;
inline constexpr unsigned first_length_symbol = 256 - min_match;  // symbol = this + length

// The upper 6 bits u of a position take a prefix code of 3 to 8 bits. The decoder reads it
// through a 256-entry table of the next 8 bits: groups of 32, 16, 8, 4, 2 and 1 indexes hold
// 1, 3, 8, 12, 24 and 16 values of u with codes of 3 to 8 bits. A value's code is the top
// bits of the first index of its run; the low 6 bits of the position follow as they are.
struct PositionCode {
    std::uint8_t bits;    // length of the prefix code, 3 to 8
    std::uint8_t prefix;  // the code, right-aligned
};

constexpr std::array<PositionCode, 64> make_position_codes() {
    constexpr unsigned values_in_group[6] = {1, 3, 8, 12, 24, 16};
    std::array<PositionCode, 64> codes{};
    unsigned u = 0;
    unsigned first_index = 0;
    for (unsigned group = 0; group < 6; ++group) {
        unsigned bits = 3 + group;
        unsigned run = 256u >> bits;  // indexes sharing one value of u
        for (unsigned v = 0; v < values_in_group[group]; ++v, ++u) {
            codes[u] = {static_cast<std::uint8_t>(bits),
                        static_cast<std::uint8_t>(first_index >> (8 - bits))};
            first_index += run;
        }
    }
    return codes;
}

inline constexpr std::array<PositionCode, 64> position_codes = make_position_codes();
static_assert(position_codes[63].prefix == 0xFF && position_codes[0].bits == 3);

// Bits that position p (distance minus one, 0 to 4095) takes in the stream.
constexpr unsigned position_cost(unsigned p) { return position_codes[p >> 6].bits + 6u; }

}  // namespace lzhuf
