// The system colours of the classic Windows scheme and their brushes.
#pragma once

#include <memory>

#include "gdi/brush.h"
#include "win/base.h"

namespace winsim::gdi {

inline constexpr int kSysColorCount = 31;

// The colour reference of a COLOR_* index; false for an index outside the scheme.
bool sys_color(int index, COLORREF& color);
// The pixel value of a COLOR_* index (black for one outside the scheme).
std::uint32_t sys_rgb(int index);
// The system's brush of that colour, owned by the system; null outside the scheme.
std::shared_ptr<Brush> sys_brush(int index);

}  // namespace winsim::gdi
