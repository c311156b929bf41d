// The shell: special folders, file information, the shell link object.
#pragma once

#include <windows.h>
#include "win/com.h"
#include "win/shell.h"
