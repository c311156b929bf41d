// The published encoder's choice: the longest match wherever one of 3 bytes or more exists,
// the nearest on ties, otherwise a literal.
#include <vector>

#include "match_finder.h"
#include "parse.h"
#include "stream_writer.h"

namespace lzhuf {

std::vector<std::uint8_t> encode_greedy(std::span<const std::uint8_t> text) {
    StreamWriter out;
    MatchFinder finder(text, ring_prefill, ring_size);
    std::vector<Match> matches;
    std::size_t pos = ring_prefill;
    while (pos < text.size()) {
        matches.clear();
        finder.find(pos, matches);
        if (matches.empty()) {
            out.put_literal(text[pos]);
            ++pos;
            continue;
        }
        Match longest = matches.back();
        out.put_match(longest.length, longest.distance);
        for (std::size_t end = pos + longest.length; ++pos < end;) finder.skip(pos);
    }
    return out.finish();
}

}  // namespace lzhuf
