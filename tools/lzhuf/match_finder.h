// Finds, for each position of the text, the nearest earlier occurrence for every match
// length it can reach, within the ring's 4096 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lzhuf {

// Lengths above the previous match's length, up to `length`, are nearest at `distance`.
struct Match {
    std::uint16_t length;    // 3 to 60
    std::uint16_t distance;  // 1 to 4096 bytes back
};

class MatchFinder {
public:
    // `text` is the ring's prefilled spaces followed by the input; searching starts at
    // `first`, the first input byte, and may reach back into the spaces.
    MatchFinder(std::span<const std::uint8_t> text, std::size_t first);

    // Appends the matches at `pos` in increasing length (and distance) to `out`. Every
    // position from `first` on must be passed in order, to this or to skip().
    void find(std::size_t pos, std::vector<Match>& out);
    void skip(std::size_t pos);

private:
    unsigned hash_at(std::size_t pos) const;
    void insert(std::size_t pos, unsigned hash);

    static constexpr unsigned hash_bits = 15;
    static constexpr unsigned max_chain = 4096;  // the whole window: no match is missed

    std::span<const std::uint8_t> text_;
    std::vector<std::int32_t> head_;  // newest position of each hash, or -1
    std::vector<std::int32_t> prev_;  // the previous position of the same hash, or -1
};

}  // namespace lzhuf
