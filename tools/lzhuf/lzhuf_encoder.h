// Compresses bytes into the installer's payload stream: LZHUF without a length header.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lzhuf {

// How the encoder splits the input into literals and matches.
enum class Parsing {
    greedy,       // the longest match at each position, the nearest one on ties
    cost_guided,  // the cheapest path under the adaptive code's current lengths
    smallest,     // both, keeping the shorter stream
};

// The stream for `input`; decoding it for input.size() bytes gives `input` back.
std::vector<std::uint8_t> encode(std::span<const std::uint8_t> input);
std::vector<std::uint8_t> encode(std::span<const std::uint8_t> input, Parsing parsing);

}  // namespace lzhuf
