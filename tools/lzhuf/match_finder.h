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

// The positions of the window sorted as strings in one binary tree per leading byte pair,
// the newest at the root. Searching for the current string walks from the root towards
// where it belongs, and every node of the window that shares a prefix of length L with it
// has a nearer node on that walk sharing at least L, so the walk sees the nearest position
// for every length. The walk also inserts the current position as the new root.
class MatchFinder {
public:
    // `text` is the ring's prefilled spaces followed by the input; searching starts at
    // `first`, the first input byte, and may reach back into the spaces. A walk visits at
    // most `max_depth` nodes, which only bounds degenerate inputs.
    MatchFinder(std::span<const std::uint8_t> text, std::size_t first, unsigned max_depth);

    // Appends the matches at `pos` in increasing length (and distance) to `out`. Every
    // position from `first` on must be passed in order, to this or to skip().
    void find(std::size_t pos, std::vector<Match>& out) { walk(pos, &out); }
    void skip(std::size_t pos) { walk(pos, nullptr); }

private:
    void walk(std::size_t pos, std::vector<Match>* out);

    static constexpr std::size_t slot_mask = 8191;  // slots outlive the 4096-byte window

    std::span<const std::uint8_t> text_;
    std::vector<std::int32_t> root_;      // newest position by its first two bytes, or -1
    std::vector<std::int32_t> children_;  // per slot: the smaller subtree, the larger one
    unsigned max_depth_;
};

}  // namespace lzhuf
