// The thread's last-error value is the kernel's; the drawing services set it on failure.
#pragma once

#include "win/base.h"

void WINAPI SetLastError(DWORD code);
