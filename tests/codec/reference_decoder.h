// The stream format decoded the plain way, one bit and one byte at a time, as an independent
// account of what the installer's decoder must produce.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace reference {

// Decodes exactly `output_length` bytes; missing input reads as zero bits, a last match that
// overruns the count is cut, and ring positions 4036 to 4095 start as zeros.
std::vector<std::uint8_t> decode(std::span<const std::uint8_t> stream, std::size_t output_length);

}  // namespace reference
