#include "match_finder.h"

#include <algorithm>

#include "stream_format.h"

namespace lzhuf {

MatchFinder::MatchFinder(std::span<const std::uint8_t> text, std::size_t first, unsigned max_depth)
    : text_(text), root_(65536, -1), children_(2 * (slot_mask + 1), -1), max_depth_(max_depth) {
    // Spaces further back than one longest match repeat what the nearer ones give, so only
    // the last max_match of them need to be in the tree.
    std::size_t from = first > max_match ? first - max_match : 0;
    for (std::size_t pos = from; pos < first; ++pos) skip(pos);
}

void MatchFinder::walk(std::size_t pos, std::vector<Match>* out) {
    const std::size_t limit = std::min<std::size_t>(max_match, text_.size() - pos);
    if (limit < 2) return;
    const std::uint8_t* here = text_.data() + pos;
    std::int32_t& root = root_[here[0] | (here[1] << 8)];
    std::int32_t node = root;
    root = static_cast<std::int32_t>(pos);

    // The new root's subtrees are built from the nodes the walk passes: those below the
    // current string hang on `smaller`, those above on `larger`.
    std::int32_t* smaller = &children_[2 * (pos & slot_mask)];
    std::int32_t* larger = smaller + 1;
    std::size_t smaller_common = 0;  // prefix every node still reachable shares with the
    std::size_t larger_common = 0;   // current string, from either side
    std::size_t best = min_match - 1;
    for (unsigned depth = 0;; ++depth) {
        if (node < 0 || pos - static_cast<std::size_t>(node) > ring_size || depth == max_depth_) {
            *smaller = *larger = -1;
            return;
        }
        std::int32_t* pair = &children_[2 * (static_cast<std::size_t>(node) & slot_mask)];
        const std::uint8_t* there = text_.data() + node;
        std::size_t length = std::min(smaller_common, larger_common);
        while (length < limit && there[length] == here[length]) ++length;
        if (length > best) {
            best = length;
            if (out) {
                out->push_back({static_cast<std::uint16_t>(length),
                                static_cast<std::uint16_t>(pos - static_cast<std::size_t>(node))});
            }
        }
        if (length == limit) {
            // The node equals the current string as far as it can be compared: the newer
            // position takes its place and its subtrees.
            *smaller = pair[0];
            *larger = pair[1];
            return;
        }
        if (there[length] < here[length]) {
            *smaller = node;
            smaller = pair + 1;
            node = *smaller;
            smaller_common = length;
        } else {
            *larger = node;
            larger = pair;
            node = *larger;
            larger_common = length;
        }
    }
}

}  // namespace lzhuf
