// The Windows API subset that the installer calls, provided by winsim.
#pragma once

#include "win/base.h"
#include "win/kernel.h"
#include "win/gdi.h"
#include "win/user.h"
#include "win/registry.h"
