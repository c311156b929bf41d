// Screenshots: a surface written as an 8-bit RGB PNG file through libpng.
#pragma once

#include <string>

#include "gdi/surface.h"

namespace winsim::host {

// False with `error` set when the file cannot be written.
bool write_png(const std::string& path, const gdi::Surface& surface, std::string& error);

}  // namespace winsim::host
