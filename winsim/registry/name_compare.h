// Key and value names compare without regard to case, as the registry does, and keep
// their spelling. Names are Windows-1252 bytes.
#pragma once

#include <string_view>

namespace winsim::registry {

// The upper-case form of one Windows-1252 byte (ASCII, the Latin-1 letters and the
// few letter pairs in 0x80-0x9F).
unsigned char fold_case(unsigned char c);

bool names_equal(std::string_view a, std::string_view b);

struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

}  // namespace winsim::registry
