// Collects bits most significant first into bytes, the order the decoder reads them in.
#pragma once

#include <cstdint>
#include <vector>

namespace lzhuf {

class BitWriter {
public:
    // Appends the low `count` bits of `bits` (count at most 32), the highest of them first.
    void put(std::uint32_t bits, unsigned count) {
        pending_ = (pending_ << count) | (bits & ((std::uint64_t{1} << count) - 1));
        pending_count_ += count;
        while (pending_count_ >= 8) {
            pending_count_ -= 8;
            bytes_.push_back(static_cast<std::uint8_t>(pending_ >> pending_count_));
        }
    }

    // The stream so far, its last byte padded with zero bits.
    std::vector<std::uint8_t> finish() {
        if (pending_count_ > 0) {
            bytes_.push_back(static_cast<std::uint8_t>(pending_ << (8 - pending_count_)));
            pending_count_ = 0;
        }
        return std::move(bytes_);
    }

    std::uint64_t bit_count() const { return bytes_.size() * 8 + pending_count_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t pending_ = 0;   // the last pending_count_ bits are not yet in bytes_
    unsigned pending_count_ = 0;  // 0 to 7 between calls
};

}  // namespace lzhuf
