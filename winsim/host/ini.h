// An INI text (winsim.ini): sections of `key = value` lines. Parsing never fails: lines that
// are neither a section header nor a key line are passed over, as profile readers do.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winsim::host {

class IniFile {
public:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    // `;` or `#` opens a comment at the start of a line, and `;` after white space ends a
    // value. A value in double quotes keeps what is inside them, semicolons included.
    static IniFile parse(std::string_view text);

    // Section and key names compare without regard to ASCII case; the first match wins.
    const Section* section(std::string_view name) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    const std::vector<Section>& sections() const { return sections_; }

private:
    std::vector<Section> sections_;
};

bool ascii_iequal(std::string_view a, std::string_view b);

}  // namespace winsim::host
