// The two ways of splitting the input into literals and matches.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lzhuf {

// `text` holds the ring's prefilled spaces, then the input from index ring_prefill on.
std::vector<std::uint8_t> encode_greedy(std::span<const std::uint8_t> text);
std::vector<std::uint8_t> encode_cost_guided(std::span<const std::uint8_t> text);

}  // namespace lzhuf
