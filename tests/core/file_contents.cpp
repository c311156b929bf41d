#include "test_payloads.h"

std::vector<std::uint8_t> MakeFileContents(std::uint32_t size, std::uint32_t seed) {
    static const char kText[] = "Keep Your Drives Tidy! Sweeplux sweeps what it finds. ";
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::uint32_t i = 0; i < size; ++i) {
        state = state * 1664525u + 1013904223u;
        bool noise = (i / 64) % 3 == 0;
        bytes[i] = noise ? static_cast<std::uint8_t>(state >> 24)
                         : static_cast<std::uint8_t>(kText[(i + seed) % (sizeof kText - 1)]);
    }
    return bytes;
}
