// Graphics device interface: device contexts, fonts, text, brushes, pens, bitmaps, palettes.
#pragma once

#include "win/base.h"
