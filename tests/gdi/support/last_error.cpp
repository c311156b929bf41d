// The last-error value for builds without the kernel service.
#include "win/base.h"

namespace {
thread_local DWORD last_error = 0;
}

void WINAPI SetLastError(DWORD code) { last_error = code; }
DWORD WINAPI GetLastError() { return last_error; }
