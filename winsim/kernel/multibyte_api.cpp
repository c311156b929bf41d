// MultiByteToWideChar for the ANSI code page (Windows-1252).
#include <cstring>

#include "kernel/code_page.h"
#include "win/kernel.h"

namespace {

constexpr UINT kWindows1252 = 1252;

}  // namespace

int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                               LPWSTR lpWideCharStr, int cchWideChar) {
    constexpr DWORD kKnownFlags = MB_PRECOMPOSED | MB_ERR_INVALID_CHARS;
    DWORD error = ERROR_SUCCESS;
    if (CodePage != CP_ACP && CodePage != kWindows1252) error = ERROR_INVALID_PARAMETER;
    else if (dwFlags & ~kKnownFlags) error = ERROR_INVALID_FLAGS;
    else if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
             (cchWideChar > 0 && !lpWideCharStr))
        error = ERROR_INVALID_PARAMETER;
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    // -1: the text runs to its terminator, which is converted too.
    std::size_t count = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : std::size_t(cbMultiByte);
    if (cchWideChar == 0) return int(count);
    if (count > std::size_t(cchWideChar)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    for (std::size_t i = 0; i < count; ++i)
        lpWideCharStr[i] = winsim::kernel::ansi_to_unicode(static_cast<unsigned char>(lpMultiByteStr[i]));
    return int(count);
}
