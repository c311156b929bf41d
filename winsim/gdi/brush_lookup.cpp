#include "gdi/brush_lookup.h"

#include "gdi/sys_colors.h"

namespace winsim::gdi {

std::shared_ptr<Brush> brush_of(HBRUSH handle) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value >= 1 && value <= kSysColorCount) return sys_brush(static_cast<int>(value) - 1);
    return ObjectTable::instance().find_as<Brush>(handle, ObjectKind::Brush);
}

}  // namespace winsim::gdi
