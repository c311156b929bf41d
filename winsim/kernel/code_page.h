// The ANSI code page (Windows-1252) and its meeting with the host's UTF-8 file names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace winsim::kernel {

// The UTF-16 unit of one Windows-1252 byte. The five bytes the code page leaves undefined
// map to the C1 control of the same value, as Windows does.
char16_t ansi_to_unicode(unsigned char c);

std::string ansi_to_utf8(std::string_view ansi);

// Null when the text is not valid UTF-8 or holds a character Windows-1252 cannot spell.
std::optional<std::string> utf8_to_ansi(std::string_view utf8);

// As above, with `?` for each character that has no Windows-1252 byte.
std::string utf8_to_ansi_lossy(std::string_view utf8);

// Case folding of file names: ASCII and the Latin letters of the code page.
unsigned char ansi_upper(unsigned char c);
bool ansi_iequal(std::string_view a, std::string_view b);
int ansi_icompare(std::string_view a, std::string_view b);

}  // namespace winsim::kernel
