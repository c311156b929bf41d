// Reads binary resource layouts back in tests: little-endian words and UTF-16 texts.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

struct TemplateReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t pos = 0;

    std::uint16_t word() {
        if (pos + 2 > size) throw std::out_of_range("read past the resource");
        std::uint16_t v = static_cast<std::uint16_t>(data[pos] | (data[pos + 1] << 8));
        pos += 2;
        return v;
    }
    std::uint32_t dword() {
        std::uint32_t low = word();
        return low | (static_cast<std::uint32_t>(word()) << 16);
    }
    std::int16_t shorts() { return static_cast<std::int16_t>(word()); }
    std::u16string wide() {
        std::u16string s;
        for (std::uint16_t c = word(); c != 0; c = word()) s.push_back(c);
        return s;
    }
    // A menu, class or text field: "#N" for an ordinal, "" for none, else the text.
    std::u16string name_or_ordinal() {
        std::uint16_t first = word();
        if (first == 0) return u"";
        if (first == 0xFFFF) {
            std::string n = "#" + std::to_string(word());
            return std::u16string(n.begin(), n.end());
        }
        pos -= 2;
        return wide();
    }
    void align(std::size_t boundary) { pos = (pos + boundary - 1) / boundary * boundary; }
};
