#include "test_inputs.h"

#include <fstream>
#include <iterator>
#include <random>

namespace codec_test {

Bytes random_bytes(std::size_t length, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out(length);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng());
    return out;
}

Bytes english_text(std::size_t length, std::uint32_t seed) {
    static const char* const words[] = {
        "the", "drive", "tidy", "files", "folder", "sweep", "of", "and", "to", "a", "your",
        "program", "install", "disk", "space", "clean", "temporary", "is", "in", "with",
        "setup", "choose", "Continue", "licence", "agreement", "registry", "shortcut", "menu"};
    std::mt19937 rng(seed);
    std::string text;
    while (text.size() < length) {
        text += words[rng() % std::size(words)];
        unsigned r = rng() % 16;
        text += r == 0 ? ".\r\n" : r == 1 ? ", " : " ";
    }
    text.resize(length);
    return Bytes(text.begin(), text.end());
}

Bytes binary_records(std::size_t count, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t id = static_cast<std::uint32_t>(i * 7 + 1000);
        for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(id >> (8 * k)));
        std::uint32_t value = rng() % 5000;
        for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
        static const char* const names[] = {"alpha", "bravo", "charlie", "delta", "echo", "fox"};
        std::string name = names[rng() % 6];
        name.resize(12, '\0');
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(static_cast<std::uint8_t>(rng() % 256));
        out.push_back(static_cast<std::uint8_t>(i & 0xFF));
    }
    return out;
}

Bytes run_of(std::uint8_t byte, std::size_t length) { return Bytes(length, byte); }

std::optional<Bytes> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::filesystem::path> vector_folder() {
    std::filesystem::path folder = std::filesystem::path(TARROWIN_SHARED_DIR) / "vectors" / "lzhuf";
    if (!std::filesystem::is_directory(folder)) return std::nullopt;
    return folder;
}

}  // namespace codec_test
