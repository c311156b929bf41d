// The script's texts are Windows-1252; templates hold UTF-16.
#pragma once

#include <string>

namespace rc {

// Converts Windows-1252 bytes to UTF-16 code units. The five bytes that the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same code points.
std::u16string windows1252_to_utf16(const std::string& text);

}  // namespace rc
