// Any bytes either fail with a line number inside the text, or give a tree that writes out
// and reads back equal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registry/regedit_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace winsim::registry;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    RegeditParse first = parse_regedit(text, "HKEY_LOCAL_MACHINE");
    if (!first.root) {
        if (first.error_line < 1 || first.error.empty()) std::abort();
        return 0;
    }
    RegeditParse second = parse_regedit(format_regedit(*first.root), "HKEY_LOCAL_MACHINE");
    if (!second.root || !(*second.root == *first.root)) std::abort();
    return 0;
}
