// Shell: special folders, item identifier lists, file information, the shell link interfaces.
#pragma once

#include "win/base.h"
