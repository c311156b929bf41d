// Writes literals and matches as the stream codes them: the adaptive code of the symbol,
// then for a match the fixed code of its position.
#pragma once

#include <cstdint>
#include <vector>

#include "adaptive_code.h"
#include "bit_writer.h"
#include "stream_format.h"

namespace lzhuf {

class StreamWriter {
public:
    void put_literal(std::uint8_t byte) { code_.put(byte, bits_); }

    // `length` 3 to 60, `distance` 1 to 4096 bytes back.
    void put_match(unsigned length, unsigned distance) {
        code_.put(first_length_symbol + length, bits_);
        unsigned p = distance - 1;
        PositionCode upper = position_codes[p >> 6];
        bits_.put(upper.prefix, upper.bits);
        bits_.put(p & 63, 6);
    }

    const AdaptiveCode& code() const { return code_; }
    std::vector<std::uint8_t> finish() { return bits_.finish(); }

private:
    AdaptiveCode code_;
    BitWriter bits_;
};

}  // namespace lzhuf
