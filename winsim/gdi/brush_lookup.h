// The brush a handle names; FillRect and its kin also take a system colour index plus one.
#pragma once

#include <memory>

#include "gdi/brush.h"

namespace winsim::gdi {

std::shared_ptr<Brush> brush_of(HBRUSH handle);

}  // namespace winsim::gdi
