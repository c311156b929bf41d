// Common controls: the progress bar and image lists.
#pragma once

#include <windows.h>
#include "win/comctl.h"
#include "win/imagelist.h"
