// Windows-1252, the ANSI code page: the Unicode character of each byte.
#pragma once

#include <cstdint>

namespace winsim::gdi {

// Bytes 0x80-0x9F carry the typographic characters of Windows-1252; the five bytes it leaves
// unassigned map to themselves (C1 controls), as the Windows conversion does.
char32_t cp1252_to_unicode(unsigned char byte);

}  // namespace winsim::gdi
