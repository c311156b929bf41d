// Conversions between the ANSI code page (Windows-1252) and UTF-16, for the texts the shell
// stores as Unicode and the wide file names it is given.
#pragma once

#include <string>
#include <string_view>

namespace winsim::shell {

std::u16string widen(std::string_view ansi);
// Characters without a Windows-1252 byte become '?', as the system's conversion does.
std::string narrow(std::u16string_view wide);

}  // namespace winsim::shell
