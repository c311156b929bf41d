// The registry values of the installation, written once after the shortcuts exist, and
// the look-up of an earlier installation's folder.
#include "registration/registry_entries.h"

#include <string.h>

#include "core/install_state.h"
#include "core/manifest.h"
#include "core/path_helpers.h"

// Fixed texts of the build; they repeat the publisher's and the product's names but are
// not formed from the manifest.
static const char PUBLISHER_KEY[] = "Software\\Orvane Tinkerware";
static const char VERSION_KEY_SUFFIX[] = "\\Programs\\Sweeplux\\Current Version";
static const char AUTO_START_VALUE[] = "Sweeplux3";

static const char UNINSTALL_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
static const char MACHINE_RUN_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char SERVICES_RUN_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
static const char USER_RUN_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

const int VERSION_KEY_SIZE = sizeof(PUBLISHER_KEY) - 1 + sizeof(VERSION_KEY_SUFFIX);
const int DISPLAY_VERSION_SIZE = 1 + PRODUCT_VERSION_SIZE;  // "v" and the version
// Room for the longest Windows directory, a backslash and the longest file name.
const int UNINSTALL_COMMAND_SIZE = STATE_DIR_SIZE + ENTRY_FILE_NAME_SIZE;

// Stores text as a REG_SZ value with its terminator.
static void SetTextValue(HKEY key, LPCSTR name, LPCSTR text)
{
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)text, (DWORD)(strlen(text) + 1));
}

// Creates the key below HKEY_LOCAL_MACHINE if absent, with every missing level.
static BOOL CreateMachineKey(LPCSTR path, HKEY* key)
{
    DWORD disposition;
    return RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, (LPSTR)"", REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, NULL, key, &disposition) == ERROR_SUCCESS;
}

static void RecordProgramDir(void)
{
    HKEY key;
    if (!CreateMachineKey(PUBLISHER_KEY, &key)) {
        return;
    }
    SetTextValue(key, Manifest.ProductName, InstallState.ProgramDir);
    RegCloseKey(key);
}

static void RecordVersion(void)
{
    char path[VERSION_KEY_SIZE];
    strcpy(path, PUBLISHER_KEY);
    strcat(path, VERSION_KEY_SUFFIX);
    HKEY key;
    if (!CreateMachineKey(path, &key)) {
        return;
    }
    SetTextValue(key, "Program Version", Manifest.ProductVersion);
    RegCloseKey(key);
}

// The product's entry in the list of programs Windows offers to remove; written only
// where that list already exists.
static void RecordUninstallEntry(void)
{
    HKEY uninstallKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, 0, KEY_ALL_ACCESS, &uninstallKey) !=
        ERROR_SUCCESS) {
        return;
    }
    HKEY productKey;
    DWORD disposition;
    if (RegCreateKeyExA(uninstallKey, Manifest.ProductName, 0, (LPSTR)"", REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &productKey, &disposition) == ERROR_SUCCESS) {
        char displayVersion[DISPLAY_VERSION_SIZE];
        displayVersion[0] = 'v';
        strcpy(displayVersion + 1, Manifest.ProductVersion);
        char uninstallCommand[UNINSTALL_COMMAND_SIZE];
        JoinPath(uninstallCommand, InstallState.WindowsDir, Manifest.Entries[0].FileName, 0);

        SetTextValue(productKey, "DisplayName", Manifest.ProductName);
        SetTextValue(productKey, "DisplayVersion", displayVersion);
        SetTextValue(productKey, "UninstallString", uninstallCommand);
        SetTextValue(productKey, "Program Path", InstallState.ProgramDir);
        SetTextValue(productKey, "Program Group", InstallState.GroupName);
        SetTextValue(productKey, "Publisher", Manifest.PublisherName);
        SetTextValue(productKey, "HelpLink", Manifest.WebPage);
        RegCloseKey(productKey);
    }
    RegCloseKey(uninstallKey);
}

// Deletes the product's auto-start value from one Run key; a missing key or value is fine.
static void RemoveAutoStart(HKEY root, LPCSTR path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueA(key, AUTO_START_VALUE);
    RegCloseKey(key);
}

void RegisterProduct(void)
{
    RecordProgramDir();
    RecordVersion();
    RecordUninstallEntry();
    RemoveAutoStart(HKEY_LOCAL_MACHINE, MACHINE_RUN_KEY);
    RemoveAutoStart(HKEY_LOCAL_MACHINE, SERVICES_RUN_KEY);
    RemoveAutoStart(HKEY_CURRENT_USER, USER_RUN_KEY);
}

BOOL LookupPreviousProgramDir(LPSTR buffer)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PUBLISHER_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return FALSE;
    }
    DWORD size = PREVIOUS_DIR_SIZE;
    LONG status = RegQueryValueExA(key, Manifest.ProductName, NULL, NULL, (LPBYTE)buffer, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return FALSE;
    }
    // Data stored without its terminator is a folder only if the terminator still fits.
    if (size == 0 || buffer[size - 1] != '\0') {
        if (size >= (DWORD)PREVIOUS_DIR_SIZE) {
            return FALSE;
        }
        buffer[size] = '\0';
    }
    return TRUE;
}
