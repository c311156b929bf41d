// The stock objects of GetStockObject, and the fonts they stand for.
#pragma once

#include <memory>

#include "gdi/gdi_object.h"
#include "win/gdi.h"

namespace winsim::gdi {

// Null for an index that names no stock object.
std::shared_ptr<GdiObject> stock_object(int index);

// The description of the stock fonts (SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT).
LOGFONTA stock_font_description(int index);

}  // namespace winsim::gdi
