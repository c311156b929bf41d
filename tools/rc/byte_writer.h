// Little-endian output for the binary layouts of resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

class ByteWriter {
public:
    void byte(std::uint8_t v) { bytes_.push_back(v); }
    void word(std::uint16_t v) {
        byte(static_cast<std::uint8_t>(v));
        byte(static_cast<std::uint8_t>(v >> 8));
    }
    void dword(std::uint32_t v) {
        word(static_cast<std::uint16_t>(v));
        word(static_cast<std::uint16_t>(v >> 16));
    }
    // UTF-16 code units followed by a zero unit.
    void wide_string(const std::u16string& text) {
        for (char16_t unit : text) word(static_cast<std::uint16_t>(unit));
        word(0);
    }
    void align(std::size_t boundary) {
        while (bytes_.size() % boundary != 0) byte(0);
    }
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace rc
