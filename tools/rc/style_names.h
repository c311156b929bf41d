// The Windows style names a script may use, with their documented values.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rc {

std::optional<std::uint32_t> style_value(std::string_view name);

}  // namespace rc
