#include "adaptive_code.h"

#include <stdexcept>

namespace lzhuf {

AdaptiveCode::AdaptiveCode() {
    for (unsigned s = 0; s < symbol_count; ++s) {
        freq_[s] = 1;
        child_[s] = static_cast<std::uint16_t>(s + leaf_base);
        parent_[s + leaf_base] = static_cast<std::uint16_t>(s);
    }
    for (unsigned i = 0, j = symbol_count; j < node_count; i += 2, ++j) {
        freq_[j] = static_cast<std::uint16_t>(freq_[i] + freq_[i + 1]);
        child_[j] = static_cast<std::uint16_t>(i);
        parent_[i] = parent_[i + 1] = static_cast<std::uint16_t>(j);
    }
    freq_[node_count] = 0xFFFF;
    parent_[root_node] = 0;
}

void AdaptiveCode::put(unsigned symbol, BitWriter& out) {
    // Walk from the leaf to the root; a node that is the second of its pair stands for a 1.
    std::uint64_t code = 0;
    unsigned length = 0;
    for (unsigned n = parent_[leaf_base + symbol]; n != root_node; n = parent_[n]) {
        if (length == 64) throw std::logic_error("adaptive code deeper than 64 levels");
        code |= std::uint64_t{n != child_[parent_[n]]} << length;
        ++length;
    }
    while (length > 32) {
        length -= 32;
        out.put(static_cast<std::uint32_t>(code >> length), 32);
    }
    out.put(static_cast<std::uint32_t>(code), length);
    update(symbol);
}

std::array<std::uint8_t, symbol_count> AdaptiveCode::code_lengths() const {
    std::array<std::uint8_t, node_count> depth{};
    // Parents stand at higher indexes than their children, so one downward pass suffices.
    depth[root_node] = 0;
    for (unsigned n = root_node + 1; n-- > 0;) {
        unsigned c = child_[n];
        if (c < leaf_base) depth[c] = depth[c + 1] = static_cast<std::uint8_t>(depth[n] + 1);
    }
    std::array<std::uint8_t, symbol_count> lengths{};
    for (unsigned s = 0; s < symbol_count; ++s) lengths[s] = depth[parent_[leaf_base + s]];
    return lengths;
}

void AdaptiveCode::update(unsigned symbol) {
    if (freq_[root_node] == max_freq) rebuild();
    unsigned n = parent_[leaf_base + symbol];
    do {
        unsigned k = ++freq_[n];
        if (k > freq_[n + 1]) {
            unsigned l = n + 1;
            while (k > freq_[l + 1]) ++l;
            freq_[n] = freq_[l];
            freq_[l] = static_cast<std::uint16_t>(k);
            unsigned i = child_[n];
            parent_[i] = static_cast<std::uint16_t>(l);
            if (i < leaf_base) parent_[i + 1] = static_cast<std::uint16_t>(l);
            unsigned j = child_[l];
            child_[l] = static_cast<std::uint16_t>(i);
            parent_[j] = static_cast<std::uint16_t>(n);
            if (j < leaf_base) parent_[j + 1] = static_cast<std::uint16_t>(n);
            child_[n] = static_cast<std::uint16_t>(j);
            n = l;
        }
        n = parent_[n];
    } while (n != 0);
}

void AdaptiveCode::rebuild() {
    unsigned j = 0;
    for (unsigned i = 0; i < node_count; ++i) {
        if (child_[i] >= leaf_base) {
            freq_[j] = static_cast<std::uint16_t>((freq_[i] + 1) / 2);
            child_[j] = child_[i];
            ++j;
        }
    }
    for (unsigned i = 0, j = symbol_count; j < node_count; i += 2, ++j) {
        unsigned f = freq_[i] + freq_[i + 1];
        unsigned k = j - 1;
        while (f < freq_[k]) --k;
        ++k;
        for (unsigned m = j; m > k; --m) {
            freq_[m] = freq_[m - 1];
            child_[m] = child_[m - 1];
        }
        freq_[k] = static_cast<std::uint16_t>(f);
        child_[k] = static_cast<std::uint16_t>(i);
    }
    for (unsigned i = 0; i < node_count; ++i) {
        unsigned k = child_[i];
        parent_[k] = static_cast<std::uint16_t>(i);
        if (k < leaf_base) parent_[k + 1] = static_cast<std::uint16_t>(i);
    }
}

}  // namespace lzhuf
