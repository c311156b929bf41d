// Chooses literals and match lengths block by block as the cheapest path through the block,
// pricing each symbol with the adaptive code's lengths at the start of the block. The code
// moves slowly, so a recent snapshot prices the next few hundred symbols well.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "match_finder.h"
#include "parse.h"
#include "stream_writer.h"

namespace lzhuf {
namespace {

constexpr std::size_t block_length = 512;  // positions decided per snapshot of the code
// The path is found this far past the block, so that where the block ends does not bend the
// choices inside it; on equal cost the later, shorter step wins, keeping long matches early.
constexpr std::size_t lookahead = 512;

// Every position's matches, found once up front.
struct MatchTable {
    std::vector<Match> matches;
    std::vector<std::uint32_t> first;  // matches of text position p: [first[p-base], first[p-base+1])
};

MatchTable find_all_matches(std::span<const std::uint8_t> text) {
    MatchTable table;
    MatchFinder finder(text, ring_prefill, ring_size);
    table.first.reserve(text.size() - ring_prefill + 1);
    for (std::size_t pos = ring_prefill; pos < text.size(); ++pos) {
        table.first.push_back(static_cast<std::uint32_t>(table.matches.size()));
        finder.find(pos, table.matches);
    }
    table.first.push_back(static_cast<std::uint32_t>(table.matches.size()));
    return table;
}

// One step of the cheapest path: how the position it ends at was reached.
struct Step {
    std::uint32_t cost = std::numeric_limits<std::uint32_t>::max();  // bits from the block start
    std::uint16_t length = 0;    // 1 for a literal, else the match length
    std::uint16_t distance = 0;  // of the match
};

}  // namespace

std::vector<std::uint8_t> encode_cost_guided(std::span<const std::uint8_t> text) {
    const std::size_t input_length = text.size() - ring_prefill;
    MatchTable table = find_all_matches(text);
    StreamWriter out;
    std::vector<Step> steps;
    std::vector<Step> path;
    std::size_t start = 0;  // input offset of the block
    while (start < input_length) {
        const std::size_t block_end = std::min(input_length, start + block_length);
        const std::size_t horizon = std::min(input_length, block_end + lookahead);
        const auto lengths = out.code().code_lengths();

        steps.assign(horizon - start + 1, Step{});
        steps[0].cost = 0;
        for (std::size_t at = start; at < horizon; ++at) {
            const std::uint32_t here = steps[at - start].cost;
            Step& next = steps[at - start + 1];
            std::uint32_t literal = here + lengths[text[ring_prefill + at]];
            if (literal <= next.cost) next = {literal, 1, 0};
            unsigned shortest = min_match;
            for (std::uint32_t m = table.first[at]; m < table.first[at + 1]; ++m) {
                const Match match = table.matches[m];
                const std::uint32_t position = position_cost(match.distance - 1u);
                const unsigned longest = std::min<std::size_t>(match.length, horizon - at);
                for (unsigned len = shortest; len <= longest; ++len) {
                    std::uint32_t cost = here + position + lengths[first_length_symbol + len];
                    Step& end = steps[at - start + len];
                    if (cost <= end.cost) end = {cost, static_cast<std::uint16_t>(len), match.distance};
                }
                shortest = match.length + 1u;
            }
        }

        path.clear();
        for (std::size_t at = horizon; at > start; at -= steps[at - start].length)
            path.push_back(steps[at - start]);
        std::size_t at = start;
        for (auto step = path.rbegin(); step != path.rend() && at < block_end; ++step) {
            if (step->length == 1) {
                out.put_literal(text[ring_prefill + at]);
            } else {
                out.put_match(step->length, step->distance);
            }
            at += step->length;
        }
        start = at;
    }
    return out.finish();
}

}  // namespace lzhuf
