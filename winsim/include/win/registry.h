// The registry: keys and values under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
#pragma once

#include "win/base.h"
