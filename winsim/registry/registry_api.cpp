// The registry functions of win/registry.h: arguments checked the Windows way, then handed
// to the registry of the simulated machine.
#include "registry/registry_service.h"
#include "win/registry.h"

using winsim::registry::RegistryService;

LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR, DWORD dwOptions,
                               REGSAM samDesired, const LPSECURITY_ATTRIBUTES, PHKEY phkResult,
                               LPDWORD lpdwDisposition) {
    // Only persistent keys exist here: volatile, backup and link options are refused.
    if (Reserved != 0 || dwOptions != REG_OPTION_NON_VOLATILE) return ERROR_INVALID_PARAMETER;
    return RegistryService::instance().create_key(hKey, lpSubKey, samDesired, phkResult,
                                                  lpdwDisposition);
}

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                             PHKEY phkResult) {
    if (ulOptions != 0) return ERROR_INVALID_PARAMETER;
    return RegistryService::instance().open_key(hKey, lpSubKey, samDesired, phkResult);
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                              const BYTE* lpData, DWORD cbData) {
    if (Reserved != 0) return ERROR_INVALID_PARAMETER;
    return RegistryService::instance().set_value(hKey, lpValueName, dwType, lpData, cbData);
}

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData) {
    if (lpReserved) return ERROR_INVALID_PARAMETER;
    return RegistryService::instance().query_value(hKey, lpValueName, lpType, lpData, lpcbData);
}

LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    return RegistryService::instance().delete_value(hKey, lpValueName);
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) { return RegistryService::instance().close_key(hKey); }
