#include "lzhuf_encoder.h"

#include <algorithm>

#include "parse.h"
#include "stream_format.h"

namespace lzhuf {
namespace {

// The ring's prefilled spaces before the input, so that matches may reach into them.
std::vector<std::uint8_t> text_with_prefill(std::span<const std::uint8_t> input) {
    std::vector<std::uint8_t> text(ring_prefill + input.size(), ' ');
    std::copy(input.begin(), input.end(), text.begin() + ring_prefill);
    return text;
}

}  // namespace

std::vector<std::uint8_t> encode(std::span<const std::uint8_t> input) {
    return encode(input, Parsing::smallest);
}

std::vector<std::uint8_t> encode(std::span<const std::uint8_t> input, Parsing parsing) {
    const std::vector<std::uint8_t> text = text_with_prefill(input);
    switch (parsing) {
    case Parsing::greedy:
        return encode_greedy(text);
    case Parsing::cost_guided:
        return encode_cost_guided(text);
    case Parsing::smallest:
        break;
    }
    std::vector<std::uint8_t> guided = encode_cost_guided(text);
    std::vector<std::uint8_t> greedy = encode_greedy(text);
    return greedy.size() < guided.size() ? greedy : guided;
}

}  // namespace lzhuf
