// Image lists: the system image list of small icons and their drawing.
#pragma once

#include "win/base.h"
