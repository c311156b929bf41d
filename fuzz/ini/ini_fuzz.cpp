// Any bytes parse; what comes out keeps the reader's promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/ini.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    winsim::host::IniFile ini = winsim::host::IniFile::parse(text);
    for (const auto& section : ini.sections()) {
        require(section.name.find('\n') == std::string::npos);
        for (const auto& entry : section.entries) {
            require(!entry.key.empty());
            require(!is_blank(entry.key.front()) && !is_blank(entry.key.back()));
            require(entry.key.find('=') == std::string::npos);
            require(entry.key.find('\n') == std::string::npos && entry.value.find('\n') == std::string::npos);
            // The lookup finds a value for every key it produced.
            require(ini.value(section.name, entry.key).has_value());
        }
        require(ini.section(section.name) != nullptr);
    }
    return 0;
}
