// Inputs shared by the codec's tests: generated data of known character and the shared
// stream vectors.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace codec_test {

using Bytes = std::vector<std::uint8_t>;

Bytes random_bytes(std::size_t length, std::uint32_t seed);
Bytes english_text(std::size_t length, std::uint32_t seed);
// Fixed-layout records with counters and names: structured, far repeats, many symbols.
Bytes binary_records(std::size_t count, std::uint32_t seed);
Bytes run_of(std::uint8_t byte, std::size_t length);

std::optional<Bytes> read_file(const std::filesystem::path& path);

// The shared vectors folder, or nothing when this checkout has none beside it.
std::optional<std::filesystem::path> vector_folder();

}  // namespace codec_test
