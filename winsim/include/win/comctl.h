// Common controls: progress bar, image lists.
#pragma once

#include "win/base.h"
