#include "match_finder.h"

#include <algorithm>

#include "stream_format.h"

namespace lzhuf {

MatchFinder::MatchFinder(std::span<const std::uint8_t> text, std::size_t first)
    : text_(text), head_(std::size_t{1} << hash_bits, -1), prev_(text.size(), -1) {
    // Spaces further back than one longest match repeat what the nearer ones give, so only
    // the last max_match of them need to be candidates.
    std::size_t from = first > max_match ? first - max_match : 0;
    for (std::size_t pos = from; pos < first; ++pos) skip(pos);
}

unsigned MatchFinder::hash_at(std::size_t pos) const {
    std::uint32_t key = (std::uint32_t{text_[pos]} << 16) | (std::uint32_t{text_[pos + 1]} << 8) |
                        text_[pos + 2];
    return (key * 2654435761u) >> (32 - hash_bits);
}

void MatchFinder::insert(std::size_t pos, unsigned hash) {
    prev_[pos] = head_[hash];
    head_[hash] = static_cast<std::int32_t>(pos);
}

void MatchFinder::skip(std::size_t pos) {
    if (pos + min_match <= text_.size()) insert(pos, hash_at(pos));
}

void MatchFinder::find(std::size_t pos, std::vector<Match>& out) {
    std::size_t limit = std::min<std::size_t>(max_match, text_.size() - pos);
    if (limit < min_match) return;
    unsigned hash = hash_at(pos);
    const std::uint8_t* here = text_.data() + pos;
    std::size_t best = min_match - 1;
    unsigned visited = 0;
    for (std::int32_t cand = head_[hash]; cand >= 0 && visited < max_chain;
         cand = prev_[cand], ++visited) {
        std::size_t distance = pos - static_cast<std::size_t>(cand);
        if (distance > ring_size) break;
        const std::uint8_t* there = text_.data() + cand;
        if (there[best] != here[best]) continue;
        std::size_t length = 0;
        while (length < limit && there[length] == here[length]) ++length;
        if (length > best) {
            out.push_back({static_cast<std::uint16_t>(length), static_cast<std::uint16_t>(distance)});
            best = length;
            if (best == limit) break;
        }
    }
    insert(pos, hash);
}

}  // namespace lzhuf
