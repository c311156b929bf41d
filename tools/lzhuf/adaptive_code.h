// The adaptive Huffman code of literals and match lengths, kept exactly as the decoder keeps
// it: a tree of 627 nodes in sibling order, updated after every symbol, halved at 0x8000.
#pragma once

#include <array>
#include <cstdint>

#include "bit_writer.h"
#include "stream_format.h"

namespace lzhuf {

class AdaptiveCode {
public:
    AdaptiveCode();

    // Writes the current code of `symbol`, then counts the symbol as the decoder will.
    void put(unsigned symbol, BitWriter& out);

    // Current code length of every symbol, in bits.
    std::array<std::uint8_t, symbol_count> code_lengths() const;

private:
    void update(unsigned symbol);
    void rebuild();

    static constexpr unsigned leaf_base = node_count;  // child value of a leaf: this + symbol

    std::array<std::uint16_t, node_count + 1> freq_;            // the last one a sentinel
    std::array<std::uint16_t, node_count + symbol_count> parent_;  // nodes, then symbols' leaves
    std::array<std::uint16_t, node_count> child_;               // first child, or leaf_base + symbol
};

}  // namespace lzhuf
